// The two members of std::string that the standard exceptions' message code
// calls and the program's own code does not instantiate, defined here so
// that the linker does not take libstdc++'s copy of every std::string member
// (about 20 KiB) to find them. See exception_strings.cpp.
#include <string>

template std::string::pointer std::string::_M_create(std::string::size_type&,
                                                     std::string::size_type);
template void std::string::_M_assign(const std::string&);
