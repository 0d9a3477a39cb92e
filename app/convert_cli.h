#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace varnelo {

// The varnelo-convert command: the window's field conversions without a window.
// args are the command-line arguments after the program name; in is read only
// when the text is not given as an argument. Returns the exit status.
int runConvertCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err);

}  // namespace varnelo
