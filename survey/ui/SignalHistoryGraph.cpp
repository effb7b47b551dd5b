#include "survey/ui/SignalHistoryGraph.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "adapter/SsidText.h"
#include "survey/LinkStatus.h"

namespace corvane {
namespace {

constexpr int kMargin = 4;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

SignalHistoryGraph::SignalHistoryGraph(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromLatin1(kSignalHistoryObjectName));
    setAccessibleName(QCoreApplication::translate("SignalHistoryGraph", "Link quality history"));
    setAccessibleDescription(FromUtf8(DescribeSignalHistory(history_)));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SignalHistoryGraph::AddSample(uint64_t atUs, const LinkStatusView& view) {
    history_.Add(atUs, view);
    const QString description = FromUtf8(DescribeSignalHistory(history_));
    setAccessibleDescription(description);
    setToolTip(description);
    update();
}

QSize SignalHistoryGraph::sizeHint() const { return {420, 120}; }
QSize SignalHistoryGraph::minimumSizeHint() const { return {160, 70}; }

void SignalHistoryGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QFontMetrics metrics = fontMetrics();
    const int axisWidth = metrics.horizontalAdvance(QStringLiteral("100 %")) + 6;
    const QRectF plot(kMargin + axisWidth, kMargin + metrics.height() / 2.0,
                      width() - 2 * kMargin - axisWidth,
                      height() - 2 * kMargin - 1.5 * metrics.height() - 2);
    if (plot.width() < 10 || plot.height() < 10) return;

    painter.fillRect(plot, colours.base());
    for (int percent : {0, 50, 100}) {
        const qreal y = plot.bottom() - plot.height() * percent / 100.0;
        painter.setPen(QPen(colours.mid().color(), 1, Qt::DotLine));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(colours.text().color());
        painter.drawText(
            QRectF(kMargin, y - metrics.height() / 2.0, axisWidth - 4, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 %").arg(percent));
    }
    painter.setPen(QPen(colours.mid().color(), 1));
    painter.drawRect(plot);
    painter.setPen(colours.text().color());
    const QRectF timeAxis(plot.left(), plot.bottom() + 2, plot.width(), metrics.height());
    const qint64 minutes = qint64(history_.WindowUs() / 60000000);
    painter.drawText(timeAxis, Qt::AlignLeft | Qt::AlignTop,
                     QCoreApplication::translate("SignalHistoryGraph", "%1 min ago").arg(minutes));
    painter.drawText(timeAxis, Qt::AlignRight | Qt::AlignTop,
                     QCoreApplication::translate("SignalHistoryGraph", "now"));

    const auto& samples = history_.Samples();
    if (samples.empty()) return;
    const uint64_t newest = samples.back().atUs;
    const uint64_t window = history_.WindowUs();
    auto x = [&](uint64_t atUs) {
        const uint64_t age = newest - atUs;
        return plot.right() - plot.width() * double(age) / double(window);
    };
    auto y = [&](uint32_t quality) {
        return plot.bottom() - plot.height() * std::min(quality, 100u) / 100.0;
    };

    // Changes of network first, under the line.
    for (const QualitySample& s : samples) {
        if (!s.networkChanged) continue;
        const qreal at = x(s.atUs);
        painter.setPen(QPen(colours.highlight().color(), 1, Qt::DashLine));
        painter.drawLine(QPointF(at, plot.top()), QPointF(at, plot.bottom()));
        painter.setPen(colours.text().color());
        const QString name = metrics.elidedText(FromUtf8(PrintableText(s.ssid)), Qt::ElideRight,
                                                int(plot.right() - at) - 4);
        painter.drawText(QPointF(at + 3, plot.top() + metrics.ascent() + 1), name);
    }

    QPainterPath line;
    for (const QualitySample& s : samples) {
        if (!s.quality) continue;
        const QPointF point(x(s.atUs), y(*s.quality));
        if (s.startsLine)
            line.moveTo(point);
        else
            line.lineTo(point);
    }
    painter.setPen(QPen(colours.link().color(), 2));
    painter.drawPath(line);
    // A lone point (one refresh between two gaps) shows as a dot.
    for (size_t i = 0; i < samples.size(); ++i) {
        const QualitySample& s = samples[i];
        const bool alone =
            s.quality && s.startsLine &&
            (i + 1 == samples.size() || samples[i + 1].startsLine || !samples[i + 1].quality);
        if (alone) painter.drawEllipse(QPointF(x(s.atUs), y(*s.quality)), 1.5, 1.5);
    }
}

}  // namespace corvane
