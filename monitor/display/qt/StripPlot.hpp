// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The strip chart's plot: the series sit on a layer with a picture of its own, so
// that points added at the right of the series are drawn into that picture in the
// columns they reach, and only those columns are painted again. The columns get
// the pixels a whole drawing of the layer gives them: every series is drawn again
// there, in its order, from the points whose lines or symbols reach the columns.

#include <qcustomplot.h>

namespace zelvo::qt {

class StripSeries : public QCPGraph {
  public:
    StripSeries(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}
    // Whether the points shown, and those with keys in the range, are drawn one for
    // one: points two a pixel or closer are thinned, differently for fewer points.
    bool DrawnOneForOne(const QCPRange& keys) const;
    // Lines and symbols of the points with keys in the range and one more point on
    // either side, clipped to the columns, as a whole drawing of the series draws them.
    void DrawNear(QCPPainter* painter, const QCPRange& keys, const QRect& columns) const;

  private:
    bool Thinned(QCPGraphDataContainer::const_iterator begin,
                 QCPGraphDataContainer::const_iterator end) const;
};

class StripPlot : public QCustomPlot {
  public:
    explicit StripPlot(QWidget* parent);
    StripSeries* AddSeries();
    // Draws the series again in the columns from key `from` to key `to`, with the
    // reach of the symbols, and paints those columns. False when the layer must be
    // drawn whole: no picture of it kept yet, or points thinned.
    bool DrawColumns(double from, double to);

  private:
    QCPAbstractPaintBuffer* SeriesPicture() const;

    QCPLayer* series_;
};

}  // namespace zelvo::qt
