#include "view/dialogs/AboutModel.h"

#include "RollpathVersion.h"

namespace rollpath {

namespace {

constexpr int kResource = 100;

}  // namespace

AboutModel::AboutModel(const std::string& toolkit)
    : DialogModel("About Rollpath", kResource, DialogButtons::Ok) {
    AddStatic(kVersion, std::string("Rollpath Version ") + kRollpathVersion);
    AddStatic(kPurpose, "Airport ground layout editor for Fly!");
    AddStatic(kToolkit, "Built on " + toolkit);
    AddStatic(kLicence, toolkit + " is used under the GNU Lesser General Public License version 3.");
}

}  // namespace rollpath
