// The link status page's graph of the link quality over the last five
// minutes: one point per refresh, the line broken where the link was down
// or the network changed, each change of network marked with a dashed
// line and its name. Its accessible description reads the figures out
// (DescribeSignalHistory). A small painted widget: it costs the window no
// charting library.
#pragma once

#include <QWidget>
#include <cstdint>

#include "survey/SignalHistory.h"

namespace corvane {

struct LinkStatusView;

inline constexpr const char* kSignalHistoryObjectName = "SignalHistory";

class SignalHistoryGraph : public QWidget {
    Q_OBJECT

public:
    explicit SignalHistoryGraph(QWidget* parent = nullptr);

    // One refresh's outcome at the one clock's time `atUs`.
    void AddSample(uint64_t atUs, const LinkStatusView& view);
    const SignalHistory& History() const { return history_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SignalHistory history_;
};

}  // namespace corvane
