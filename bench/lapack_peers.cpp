#include "lapack_peers.hpp"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace vibsim::bench {

namespace {

constexpr const char* reference_blas_path = "/usr/lib/x86_64-linux-gnu/blas/libblas.so.3";
constexpr const char* reference_lapack_path = "/usr/lib/x86_64-linux-gnu/lapack/liblapack.so.3";
constexpr const char* openblas_path = "/usr/lib/x86_64-linux-gnu/openblas-pthread/libopenblas.so.0";

// Every library is loaded locally and never unloaded: each one's routines
// bind to its own dependencies, never to the other's equally named ones.
void* open_library(const char* path, const char* what)
{
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        std::fprintf(stderr, "%s not found (%s): its benchmarks are skipped\n", what, dlerror());
    return handle;
}

template <class F>
F* symbol(void* handle, const char* name)
{
    return reinterpret_cast<F*>(dlsym(handle, name));
}

LapackPeer peer_from(void* handle, const char* name, const char* what)
{
    LapackPeer peer{name, symbol<LapackPeer::Getrf>(handle, "dgetrf_"),
                    symbol<LapackPeer::Getri>(handle, "dgetri_")};
    if (!peer) std::fprintf(stderr, "%s lacks dgetrf_ or dgetri_: its benchmarks are skipped\n", what);
    return peer;
}

}  // namespace

LapackPeer load_reference_lapack()
{
    const char* what = "reference LAPACK on reference BLAS";
    if (open_library(reference_blas_path, what) == nullptr) return {};
    void* lapack = open_library(reference_lapack_path, what);
    if (lapack == nullptr) return {};

    // The matrix product that dgetrf and dgetri spend their time in must come
    // from the reference BLAS.
    Dl_info info{};
    void* gemm = dlsym(lapack, "dgemm_");
    if (gemm == nullptr || dladdr(gemm, &info) == 0 || info.dli_fname == nullptr) {
        std::fprintf(stderr, "%s: dgemm_ not found: its benchmarks are skipped\n", what);
        return {};
    }
    std::fprintf(stderr, "lapack_*: %s with dgemm_ from %s\n", reference_lapack_path, info.dli_fname);
    return peer_from(lapack, "lapack", what);
}

LapackPeer load_openblas()
{
    const char* what = "OpenBLAS";
    // One thread from the start: no worker threads are created at all.
    setenv("OPENBLAS_NUM_THREADS", "1", 1);
    void* openblas = open_library(openblas_path, what);
    if (openblas == nullptr) return {};
    using SetThreads = void(int);
    if (auto* set_threads = symbol<SetThreads>(openblas, "openblas_set_num_threads")) set_threads(1);
    std::fprintf(stderr, "openblas_*: %s, one thread\n", openblas_path);
    return peer_from(openblas, "openblas", what);
}

}  // namespace vibsim::bench
