#include "group_frame.h"

#include <QPainter>

GroupFrame::GroupFrame(const QString& title, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), m_title(title), m_alignment(alignment) {}

void GroupFrame::paintEvent(QPaintEvent*) {
    // The caption keeps this far from the frame's left or right end.
    constexpr int kCaptionInset = 8;
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;
    QPainter painter(this);
    const QRect frame(0, lineY, width() - 1, height() - lineY - 1);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, 0, 0));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    if (m_title.isEmpty()) return;
    const int captionWidth = metrics.horizontalAdvance(m_title);
    const int captionX =
        m_alignment & Qt::AlignRight ? width() - kCaptionInset - captionWidth : kCaptionInset;
    const QRect caption(captionX, 0, captionWidth, metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_title);
}
