// main() of app_tests: picks the test class named by the first argument and
// hands the remaining arguments to Qt Test.

#include "app_test.h"

#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct Entry
{
    const char *className;
    QString fileName; // without folder and extension, e.g. "shell_files_test"
    AppTests::Run run;
};

std::vector<Entry> &table()
{
    static std::vector<Entry> entries;
    return entries;
}

int usage(const char *program)
{
    std::fprintf(stderr, "usage: %s <test class or test file name> [Qt Test options]\ntest classes:\n", program);
    for (const Entry &e : table())
        std::fprintf(stderr, "  %s (%s)\n", e.className, qPrintable(e.fileName));
    return 2;
}

} // namespace

bool AppTests::add(const char *className, const char *sourceFile, Run run)
{
    table().push_back({className, QFileInfo(QString::fromUtf8(sourceFile)).completeBaseName(), run});
    return true;
}

int main(int argc, char **argv)
{
    if (argc < 2)
        return usage(argv[0]);
    const QString wanted = QString::fromLocal8Bit(argv[1]);
    // Qt Test sees the program name followed by the options after the class.
    std::vector<char *> rest{argv[0]};
    rest.insert(rest.end(), argv + 2, argv + argc);
    int restCount = int(rest.size());
    rest.push_back(nullptr);
    for (const Entry &e : table()) {
        if (wanted == QLatin1String(e.className) || wanted == e.fileName)
            return e.run(restCount, rest.data());
    }
    std::fprintf(stderr, "%s: no test class %s\n", argv[0], argv[1]);
    return usage(argv[0]);
}
