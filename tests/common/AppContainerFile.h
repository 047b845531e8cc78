#pragma once
// Application container files written for tests through the program's own
// container writer, section by section.
#include <string>
#include <vector>

namespace trovtest {

// One section: its content is written with its terminator; a packed section
// is compressed and encrypted with the container's key.
struct AppSection {
    std::string name;
    std::string content;
    bool packed = false;
};

// Writes the container at path; a file or section that cannot be written
// fails the test.
void WriteAppContainer(const std::string& path, const std::vector<AppSection>& sections, const std::string& key);

} // namespace trovtest
