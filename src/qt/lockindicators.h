#pragma once
// The kana, caps, num and scroll lock indicators of the status bar. The lock
// states are read from the X server where there is one; elsewhere (Wayland,
// offscreen) the indicators stay hidden.

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QTimer;

namespace qc {

struct LockStates
{
    bool kana = false;
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The lock states, or nothing when the platform does not tell them.
std::optional<LockStates> queryLockStates();

class LockIndicators : public QWidget
{
    Q_OBJECT
public:
    explicit LockIndicators(QWidget* parent = nullptr);
    // Shows the given states, as the poll does.
    void display(const LockStates& states);

private:
    void poll();

    std::array<QLabel*, 4> m_labels{};
    QTimer* m_timer = nullptr;
};

} // namespace qc
