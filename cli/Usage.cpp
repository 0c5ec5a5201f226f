#include "cli/Commands.h"

namespace rollpath::cli {

int UsageError(std::ostream& err, const std::string& reason, const char* synopsis) {
    err << "rollpath-cli: " << reason << "\nusage: " << synopsis << '\n';
    return kExitUsage;
}

}  // namespace rollpath::cli
