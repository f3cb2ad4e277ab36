// The program's own copies of the helpers through which GCC's standard library throws from its
// inline code (a string grown past max_size(), a position past the end of a string, ...). The
// library keeps its copies in one object with the helpers for every other error it can report;
// that object drags in the old-ABI string, the random-device code and their unwind tables: about
// 90 KB of the 32-bit program, 60 KB of the 64-bit one.
// Each copy throws std::bad_alloc, so whatever fails is handled as a failed allocation is: every
// place that guards against a failure catches everything, and nothing here looks at the message.
//
// Only the helpers the program's code reaches are defined. The build reads the link map and stops
// when the linker takes a helper from the library again (cmake/check-link-map.cmake).
#include <new>
#include <string>  // declares the helpers (bits/functexcept.h)

#if defined(__GLIBCXX__)
namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_alloc(); }
void __throw_length_error(const char*) { throw bad_alloc(); }
void __throw_logic_error(const char*) { throw bad_alloc(); }
void __throw_out_of_range_fmt(const char*, ...) { throw bad_alloc(); }

}  // namespace std
#endif
