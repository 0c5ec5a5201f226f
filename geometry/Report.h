#pragma once

#include <functional>
#include <string_view>

namespace rollpath {

// How a geometry routine reports a problem the user should see (a capacity
// reached, say). The geometry layer knows nothing of message boxes: callers
// in the document layer pass a function that hands the text to their
// message sink. An empty function discards the text.
using ReportFn = std::function<void(std::string_view)>;

}  // namespace rollpath
