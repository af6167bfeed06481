#include <iostream>

int main() {
  std::cerr << "qvb3-sim: not built yet\n";
  return 1;
}
