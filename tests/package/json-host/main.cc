// Reads a profile as JSON on standard input and writes it back, as a web
// service or a script bridge would with the installed Quindo::Json.
#include <iostream>
#include <iterator>
#include <string>

#include <quindo/json/profile_json.h>

int main() {
  const std::string text(std::istreambuf_iterator<char>(std::cin), {});
  quindo::cProfile profile;
  try {
    quindo::ProfileFromJson(quindo::ParseJsonDocument(text), profile);
  } catch (const quindo::JsonInputError& e) {
    std::cerr << e.what() << '\n';
    return 2;
  }
  std::cout << quindo::ProfileToJson(profile).dump() << '\n';
}
