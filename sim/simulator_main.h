// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The main() of each simulator: options, --help, and a one-line error for a bad option
// (exit 2) or a failed start (exit 1), e.g. "zm480-sim: --z: not a number: x".

#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zm::sim {

template <typename Options>
int simulatorMain(std::string_view program, int argc, char** argv,
                  std::variant<Options, std::string> (*parse)(const std::vector<std::string_view>&),
                  std::string_view helpText, int (*run)(const Options&)) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = parse(args);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << program << ": " << *error << "\n(--help lists the options)\n";
        return 2;
    }
    const Options& options = std::get<Options>(parsed);
    if (options.help) {
        std::cout << helpText;
        return 0;
    }
    try {
        return run(options);
    } catch (const std::exception& error) {
        std::cerr << program << ": " << error.what() << '\n';
        return 1;
    }
}

}  // namespace zm::sim
