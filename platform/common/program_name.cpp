#include "platform/program_name.hpp"

namespace vibsim::platform {

namespace {

const char* name = "vibsim";

}  // namespace

void set_program_name(const char* program) { name = program; }

const char* program_name() { return name; }

}  // namespace vibsim::platform
