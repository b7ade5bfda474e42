// libstdc++'s default terminate handler prints the demangled type of an
// uncaught exception to a console this GUI program does not have, and links
// a 45 KB demangler to do it. No exception escapes a handler of ours, so a
// plain abort is all the program needs should one ever reach terminate.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    std::abort();
}

} // namespace __gnu_cxx
