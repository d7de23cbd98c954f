// The tests' entry point. Under Windows, stdout is switched to binary mode so
// that CTest reads the list of test names without carriage returns.
#include <gmock/gmock.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
