#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel (QR code) Generator"));
    QLabel window(QStringLiteral("Quorvel (QR code) Generator"));
    window.resize(837, 646);
    window.show();
    application.exec();
    return 0;
}
