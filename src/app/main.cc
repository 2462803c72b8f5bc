#include <new>

#include "app/fatal.h"
#include "app/run.h"

int main(int argc, char** argv) {
  try {
    return bondscope::run(argc, argv);
  } catch (const std::bad_alloc&) {
    bondscope::fatal("Fatal error in malloc()");
  }
}
