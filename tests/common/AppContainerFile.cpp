#include "tests/common/AppContainerFile.h"

#include <gtest/gtest.h>

#include "support/AppContainer.h"

namespace trovtest {

void WriteAppContainer(const std::string& path, const std::vector<AppSection>& sections, const std::string& key)
{
    CGAppContainer container;
    ASSERT_NE(0, container.Create(path.c_str()));
    for (const AppSection& s : sections) {
        if (s.packed)
            ASSERT_EQ(1, container.WritePackedSection(s.name.c_str(), s.content.c_str(), s.content.size() + 1,
                                                      key.c_str(), 1));
        else
            ASSERT_EQ(1, container.WriteSection(s.name.c_str(), s.content.c_str(), s.content.size() + 1));
    }
    ASSERT_NE(0, container.Close());
}

} // namespace trovtest
