// What the program does with an exception that nothing catches: one line on
// the standard error naming the exception, its what() when it has one, and
// abort(), as libstdc++'s default handler does. This definition takes that
// handler's place under its own name, so the runtime's copy is never linked,
// nor the name demangler and the narrow printf that only it uses. The type
// is named as the compiler spells it (St9bad_alloc), as the runtime's
// handler names a type it cannot demangle.
//
// The exe links this file itself, not through a library: nothing refers to
// the handler before libstdc++ does, so a library member would be passed
// over and the runtime's handler linked in its place.
#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <typeinfo>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  static bool terminating = false;
  if (terminating) {
    std::fputs("terminate called recursively\n", stderr);
    std::abort();
  }
  terminating = true;
  if (const std::type_info* type = abi::__cxa_current_exception_type()) {
    std::fputs("terminate called after throwing an instance of '", stderr);
    std::fputs(type->name(), stderr);
    std::fputs("'\n", stderr);
    try {
      throw;
    } catch (const std::exception& error) {
      std::fputs("  what():  ", stderr);
      std::fputs(error.what(), stderr);
      std::fputs("\n", stderr);
    } catch (...) {
    }
  } else {
    std::fputs("terminate called without an active exception\n", stderr);
  }
  std::abort();
}

}  // namespace __gnu_cxx
