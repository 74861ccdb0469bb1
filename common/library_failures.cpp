// Linked into each window program: how the C++ run-time library's own
// failures are raised there.
//
// The library raises them through the functions below; its versions throw
// the standard exception classes, whose code (with a second string
// implementation kept for them) adds some 57 KB to every program, and its
// handler for an uncaught exception writes the type name to a standard
// error stream that a window program does not have, bringing a name
// demangler of another 46 KB. Defining them here keeps the library's own
// out of the programs. Every handler runs inside the failure guard, which
// tells only "no memory" from anything else, so that distinction is kept:
// a request for more than memory can hold (a length error) is "no memory",
// a broken precondition of the library is anything else.
//
// A program that comes to use another of the library's raising functions
// fails to link ("multiple definition"); define that one here as well.
#include <bits/functexcept.h>

#include <cstdlib>
#include <new>

namespace {

// A precondition of the library was broken (an index out of range, say).
struct LibraryPreconditionBroken {};

}  // namespace

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc() {
    throw std::bad_alloc();
}

void __throw_bad_array_new_length() {
    throw std::bad_alloc();
}

void __throw_length_error(const char*) {
    throw std::bad_alloc();
}

void __throw_logic_error(const char*) {
    throw LibraryPreconditionBroken();
}

void __throw_invalid_argument(const char*) {
    throw LibraryPreconditionBroken();
}

void __throw_out_of_range(const char*) {
    throw LibraryPreconditionBroken();
}

void __throw_out_of_range_fmt(const char*, ...) {
    throw LibraryPreconditionBroken();
}

void __throw_bad_function_call() {
    throw LibraryPreconditionBroken();
}

}  // namespace std
