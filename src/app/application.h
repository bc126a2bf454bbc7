#pragma once

#include <QObject>

#include <memory>

namespace Velmora {

namespace Linux { class SystemClock; }

// The composition root: chooses the platform implementations (the simulated
// desktop for the window system, the real machine for everything else) and
// wires the product together.
class Application : public QObject
{
    Q_OBJECT
public:
    explicit Application(QObject *parent = nullptr);
    ~Application() override;

    void start();

private:
    std::unique_ptr<Linux::SystemClock> m_clock;
};

} // namespace Velmora
