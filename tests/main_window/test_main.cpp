#include "test_support.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failures = runLogicTests(argc, argv);
    failures += runForm1Tests(argc, argv);
    failures += runLaunchTests(argc, argv);
    return failures;
}
