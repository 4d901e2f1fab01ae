#include "transparent_label.h"

#include <QPainter>

TransparentLabel::TransparentLabel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
    setAttribute(Qt::WA_NoSystemBackground);
}

void TransparentLabel::setText(const QString& text) {
    m_text = text;
    // Not opaque, so Qt repaints the parent beneath first.
    update();
}

void TransparentLabel::paintEvent(QPaintEvent*) {
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    QPainter painter(this);
    painter.setPen(Qt::white);
    painter.drawText(rect().translated(1, 1), kFlags, m_text);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), kFlags, m_text);
}
