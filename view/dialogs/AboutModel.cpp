#include "view/dialogs/AboutModel.h"

namespace rollpath {

AboutModel::AboutModel() : DialogModel("About Rollpath", kResource, DialogButtons::Ok) {
    AddStatic(kVersion, kProgramVersionText);
    AddStatic(kPurpose, "Airport ground layout editor for Fly!");
}

}  // namespace rollpath
