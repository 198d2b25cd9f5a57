// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StripPlot.hpp"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace zelvo::qt {
namespace {

// Pixels a point's drawing reaches beyond it: half a symbol, the pen and the cap.
constexpr int kReach = 4;

}  // namespace

bool StripSeries::Thinned(QCPGraphDataContainer::const_iterator begin,
                          QCPGraphDataContainer::const_iterator end) const {
    if (!mAdaptiveSampling || end - begin < 2) return false;
    const QCPAxis* keys = keyAxis();
    const int span = static_cast<int>(
        std::abs(keys->coordToPixel(begin->key) - keys->coordToPixel((end - 1)->key)));
    return end - begin >= 2 * span + 2;
}

bool StripSeries::DrawnOneForOne(const QCPRange& keys) const {
    QCPGraphDataContainer::const_iterator begin, end;
    getVisibleDataBounds(begin, end, mDataContainer->dataRange());
    if (Thinned(begin, end)) return false;
    const auto from = std::max(begin, mDataContainer->findBegin(keys.lower));
    const auto to = std::min(end, mDataContainer->findEnd(keys.upper));
    return from >= to || !Thinned(from, to);
}

void StripSeries::DrawNear(QCPPainter* painter, const QCPRange& keys, const QRect& columns) const {
    if (!realVisibility() || mDataContainer->isEmpty() || keyAxis()->range().size() <= 0) return;
    const auto first = mDataContainer->constBegin();
    const QCPDataRange near(static_cast<int>(mDataContainer->findBegin(keys.lower) - first),
                            static_cast<int>(mDataContainer->findEnd(keys.upper) - first));
    painter->save();
    painter->setClipRect(clipRect().translated(0, -1));
    painter->setClipRect(columns, Qt::IntersectClip);
    applyDefaultAntialiasingHint(painter);
    QVector<QPointF> points;
    getLines(&points, near);
    painter->setPen(mPen);
    painter->setBrush(Qt::NoBrush);
    drawLinePlot(painter, points);
    if (!mScatterStyle.isNone()) {
        getScatters(&points, near);
        drawScatterPlot(painter, points, mScatterStyle);
    }
    painter->restore();
}

StripPlot::StripPlot(QWidget* parent) : QCustomPlot(parent), series_(layer("main")) {
    series_->setMode(QCPLayer::lmBuffered);
    // Nothing is drawn over the axes and legend: they share one picture.
    layer("overlay")->setMode(QCPLayer::lmLogical);
}

StripSeries* StripPlot::AddSeries() {
    auto* series = new StripSeries(xAxis, yAxis);
    series->setName(QString("Graph %1").arg(graphCount()));
    series->setLayer(series_);
    return series;
}

// The picture of the series layer, found as the plot shares its pictures out: one
// for each run of unbuffered layers, one for each buffered layer.
QCPAbstractPaintBuffer* StripPlot::SeriesPicture() const {
    int picture = 0;
    for (int i = 0; i < layerCount(); ++i) {
        const QCPLayer* l = layer(i);
        if (l->mode() == QCPLayer::lmBuffered) ++picture;
        if (l == series_) break;
        if (l->mode() == QCPLayer::lmBuffered && i + 1 < layerCount() &&
            layer(i + 1)->mode() == QCPLayer::lmLogical) {
            ++picture;
        }
    }
    return picture < mPaintBuffers.size() ? mPaintBuffers.at(picture).data() : nullptr;
}

bool StripPlot::DrawColumns(double from, double to) {
    if (mReplotQueued) return true;  // the whole drawing waiting takes the points
    QCPAbstractPaintBuffer* picture = SeriesPicture();
    if (picture == nullptr || picture->invalidated()) return false;
    const double a = xAxis->coordToPixel(from);
    const double b = xAxis->coordToPixel(to);
    const QRect columns =
        QRect(QPoint(static_cast<int>(std::floor(std::min(a, b))) - kReach, 0),
              QPoint(static_cast<int>(std::ceil(std::max(a, b))) + kReach, height())) &
        axisRect()->rect().translated(0, -1);
    if (columns.isEmpty()) return true;
    QCPRange keys(xAxis->pixelToCoord(columns.left() - kReach),
                  xAxis->pixelToCoord(columns.right() + kReach));
    keys.normalize();
    std::vector<const StripSeries*> series;
    for (int s = 0; s < graphCount(); ++s) {
        const auto* one = dynamic_cast<const StripSeries*>(graph(s));
        if (one == nullptr || !one->DrawnOneForOne(keys)) return false;
        series.push_back(one);
    }
    const std::unique_ptr<QCPPainter> painter(picture->startPainting());
    if (painter == nullptr || !painter->isActive()) return false;
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->fillRect(columns, Qt::transparent);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const StripSeries* one : series) one->DrawNear(painter.get(), keys, columns);
    painter->end();
    picture->donePainting();
    update(columns);
    return true;
}

}  // namespace zelvo::qt
