// The programs catch no exception anywhere: a failed allocation or a broken
// precondition of the standard library ends them, as an uncaught exception
// would. Saying so here, with a plain abort, keeps the library's exception,
// demangling and formatting machinery out of a statically linked program; it
// was nine tenths of verpick's bytes.
#include <cstdlib>
#include <new>
#include <string>

namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx

// What the string and container templates call when a precondition fails.
namespace std {
void __throw_bad_alloc()
{
    std::abort();
}
void __throw_bad_array_new_length()
{
    std::abort();
}
void __throw_length_error(const char*)
{
    std::abort();
}
void __throw_logic_error(const char*)
{
    std::abort();
}
void __throw_out_of_range(const char*)
{
    std::abort();
}
void __throw_out_of_range_fmt(const char*, ...)
{
    std::abort();
}
void __throw_bad_function_call()
{
    std::abort();
}
} // namespace std

void* operator new(std::size_t size)
{
    if (void* p = std::malloc(size ? size : 1))
        return p;
    std::abort();
}
void* operator new[](std::size_t size)
{
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

// The strings' members instantiated here, built like the programs: the
// library's own copies come as one block of every member with its exception
// paths, and only the members used are kept from these.
template class std::basic_string<char>;
template class std::basic_string<wchar_t>;
