// What the C++ runtime does when an exception escapes everything, or terminate is called: these
// programs have no console, so libstdc++'s verbose handler would print the exception's demangled
// type to nowhere before aborting, and it brings its demangler along, about 75 KB of the 32-bit
// program. Every handler of the GUI layer catches what its code throws, so this is the last
// resort it always was: the program aborts, without the message that nobody would see.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
