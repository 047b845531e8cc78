// Prints the value of every registered message of the library, one
// "name=value" line each, as this process got them at start-up.
#include "ui/foundation/ZUDPMessages.h"

#include <cstdio>

int main()
{
    for (int i = 0; i < g_registeredMessageCount; ++i)
        std::printf("%s=%u\n", g_registeredMessages[i].name, *g_registeredMessages[i].value);
    return 0;
}
