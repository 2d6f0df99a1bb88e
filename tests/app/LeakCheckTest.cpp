// Built only in the sanitizer build: a Qt program that loses an object on purpose. Its test
// passes only if LeakSanitizer reports the loss, so that the suite's leak check cannot go quiet
// unnoticed (ASAN_OPTIONS without detect_leaks, a suppression that hides too much).

#include <QCoreApplication>
#include <QObject>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    auto *lost = new QObject;
    lost->setObjectName(QStringLiteral("lost on purpose"));
    lost = nullptr;
    return 0;
}
