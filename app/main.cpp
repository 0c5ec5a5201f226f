// rollpath: the editor. Everything happens in the application object.

#include "app/RollpathApp.h"

int main(int argc, char** argv) {
    return rollpath::RunRollpathApp(argc, argv);
}
