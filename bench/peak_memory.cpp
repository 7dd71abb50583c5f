// peak_memory PROGRAM [ARGS...]: runs the program and prints its peak
// resident memory in bytes.  Measured from this small process, not from a
// script: a child's peak counts the memory of the process it was forked from.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: peak_memory PROGRAM [ARGS...]\n");
    return 2;
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::execv(argv[1], argv + 1);
    std::perror(argv[1]);
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child) return 1;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
  std::printf("%ld\n", usage.ru_maxrss * 1024L);
  return 0;
}
