#pragma once
// The command line's help text.

namespace tarnwell::cli {

extern const char* const HelpText;

}  // namespace tarnwell::cli
