#include "cli.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    using namespace ov::cli;
    const char dec = decimalFromLocale(std::getenv("LC_ALL"), std::getenv("LC_NUMERIC"), std::getenv("LANG"));
    try {
        const Options options = parseArguments(argc, argv, dec);
        if (options.help) {
            std::cout << usageText();
            return kExitOk;
        }
        return run(options);
    } catch (const UsageError& e) {
        std::cerr << "omnivelor-cli: " << e.what() << " (nápověda: omnivelor-cli --help)\n";
        return kExitUsage;
    }
}
