#pragma once

#include <QApplication>

namespace app {

// The application object: titles message boxes "Velmoor", hands every key press to the key
// preview of its window first, and keeps exceptions out of Qt's event loop.
class Application final : public QApplication
{
    Q_OBJECT

public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace app
