#pragma once
// Every widget test class lives in one executable, app_tests. A test file
// ends with APP_TEST(ClassName) (or APP_TEST_APPLESS for a class that needs
// no QApplication); QTEST_MAIN and its kin do the same here, because this
// header is part of the runner's precompiled header and redefines them. `app_tests <ClassName or file
// name> [Qt Test options]` runs that class alone in its own process, as ctest
// does for each file, so one class's leftovers never reach another.

#include <QApplication>
#include <QTest>

namespace AppTests {

using Run = int (*)(int argc, char **argv);

// Adds a class to the runner's table; called before main() by APP_TEST.
bool add(const char *className, const char *sourceFile, Run run);

// What QTEST_MAIN and QTEST_APPLESS_MAIN do in their main().
template <typename TestObject, bool withApplication> int run(int argc, char **argv, const char *sourceFile)
{
    QTest::Internal::callInitMain<TestObject>();
    if constexpr (withApplication) {
        QApplication app(argc, argv);
        app.setAttribute(Qt::AA_Use96Dpi, true);
        TestObject tc;
        QTest::setMainSourcePath(sourceFile);
        return QTest::qExec(&tc, argc, argv);
    } else {
        TestObject tc;
        QTest::setMainSourcePath(sourceFile);
        return QTest::qExec(&tc, argc, argv);
    }
}

} // namespace AppTests

#define APP_TEST_REGISTER(TestObject, withApplication)                                                                 \
    namespace {                                                                                                        \
    const bool appTestRegistered##TestObject = AppTests::add(#TestObject, __FILE__, [](int argc, char **argv) {      \
        return AppTests::run<TestObject, withApplication>(argc, argv, __FILE__);                                      \
    });                                                                                                                \
    }

#define APP_TEST(TestObject) APP_TEST_REGISTER(TestObject, true)
#define APP_TEST_APPLESS(TestObject) APP_TEST_REGISTER(TestObject, false)

// A test written the standard Qt way registers itself instead of bringing a
// second main().
#undef QTEST_MAIN
#undef QTEST_GUILESS_MAIN
#undef QTEST_APPLESS_MAIN
#define QTEST_MAIN(TestObject) APP_TEST(TestObject)
#define QTEST_GUILESS_MAIN(TestObject) APP_TEST(TestObject)
#define QTEST_APPLESS_MAIN(TestObject) APP_TEST_APPLESS(TestObject)
