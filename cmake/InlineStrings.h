// Included before everything in each C++ file of a MinGW build (cmake/Windows.cmake): the members
// of std::string are instantiated where the program uses them, instead of linking the library's
// prebuilt set of them all (one 33 KB object that the linker cannot trim), so that those it
// never calls are dropped. libstdc++'s own switch, which its assertion mode uses too; the code
// is the same template code either way.
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
