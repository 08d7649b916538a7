// Running shell commands from tests.
#pragma once

#include <string>

namespace testing_support {

// `arg` as one word of a shell command line, whatever it holds: 'it'\''s'.
std::string Quote(const std::string& arg);

}  // namespace testing_support
