// The standard exceptions (std::length_error and the rest, which the
// containers throw) keep their message in libstdc++'s reference-counted
// string. Whatever of that string the exceptions' code calls, the exe
// defines here from the same library headers. Otherwise the linker takes
// the library's whole instantiation of that string, about 20 KiB, to find
// these few members, and with it std::random_device and, through that, the
// library's copy of every std::string member (another 20 KiB): the linker
// keeps every function that has unwind data, called or not.
//
// Linked by the exe itself, ahead of libstdc++ (as exception_strings_sso.cpp
// is), so that these definitions are there before the library is searched.
// Should the library need another member of this string, the linker takes
// its whole instantiation again and the exe grows back: tools/size shows it.
#define _GLIBCXX_USE_CXX11_ABI 0
#include <string>

template std::string::size_type std::string::_Rep::_S_empty_rep_storage[];
template std::string::_Rep* std::string::_Rep::_S_create(std::string::size_type,
                                                         std::string::size_type,
                                                         const std::allocator<char>&);
template char* std::string::_Rep::_M_clone(const std::allocator<char>&, std::string::size_type);
template void std::string::_Rep::_M_destroy(const std::allocator<char>&);
template void std::string::_Rep::_M_dispose(const std::allocator<char>&);
template char* std::string::_S_construct(std::string::size_type, char, const std::allocator<char>&);
template void std::string::swap(std::string&);
template std::string& std::string::assign(const std::string&);
