#include <iostream>
#include <string>
#include <vector>

#include "app/convert_cli.h"

int main(int argc, char* argv[]) {
  // Plain byte streams, without stdio's per-call synchronisation.
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  return varnelo::runConvertCli(args, std::cin, std::cout, std::cerr);
}
