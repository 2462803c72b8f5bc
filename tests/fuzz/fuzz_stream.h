// Real stdio streams over bytes held in memory, for the fuzz targets: the
// code under test sees an ordinary seekable FILE*, as it does in the program.
//
// On glibc the streams live in memory (fmemopen, open_memstream), which keeps
// each run cheap; elsewhere they are temporary files.
#ifndef BONDSCOPE_TESTS_FUZZ_FUZZ_STREAM_H_
#define BONDSCOPE_TESTS_FUZZ_FUZZ_STREAM_H_

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz {

// Prints the reason and aborts: libFuzzer and the sanitizers report the
// input that led here, and the replay driver dies with it.
[[noreturn]] inline void fail(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

// A stream open for binary reading over a copy of `bytes`, positioned at 0.
// `bytes` must outlive the stream.
inline std::FILE* open_reader(const std::vector<unsigned char>& bytes) {
#if defined(__GLIBC__)
  // A zero-length buffer is valid for fmemopen, but must not be null.
  static unsigned char empty = 0;
  void* data =
      bytes.empty() ? &empty : const_cast<unsigned char*>(bytes.data());
  std::FILE* f = fmemopen(data, bytes.size(), "rb");
  if (f == nullptr) fail("fmemopen");
#else
  std::FILE* f = std::tmpfile();
  if (f == nullptr) fail("tmpfile");
  if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() ||
      std::fseek(f, 0, SEEK_SET) != 0) {
    fail("tmpfile write");
  }
#endif
  return f;
}

// Collects what a writer puts into a stream.
class capture {
 public:
  capture() {
#if defined(__GLIBC__)
    file_ = open_memstream(&buffer_, &size_);
#else
    file_ = std::tmpfile();
#endif
    if (file_ == nullptr) fail("cannot open a capture stream");
  }
  capture(const capture&) = delete;
  capture& operator=(const capture&) = delete;
  ~capture() {
    if (file_ != nullptr) std::fclose(file_);
#if defined(__GLIBC__)
    std::free(buffer_);
#endif
  }

  std::FILE* stream() { return file_; }

  // Everything written so far.
  std::string text() {
    if (std::fflush(file_) != 0 || std::ferror(file_)) fail("capture write");
#if defined(__GLIBC__)
    return std::string(buffer_, size_);
#else
    std::string out;
    std::rewind(file_);
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file_)) > 0) {
      out.append(chunk, got);
    }
    return out;
#endif
  }

 private:
  std::FILE* file_ = nullptr;
#if defined(__GLIBC__)
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
#endif
};

}  // namespace fuzz

#endif  // BONDSCOPE_TESTS_FUZZ_FUZZ_STREAM_H_
