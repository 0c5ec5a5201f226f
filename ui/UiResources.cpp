#include "ui/UiResources.h"

#include <QtGlobal>

// A resource is initialised by its name, outside any namespace.
static void InitRollpathResource() {
    Q_INIT_RESOURCE(Rollpath);
}

namespace rollpath {

void InitUiResources() {
    InitRollpathResource();
}

}  // namespace rollpath
