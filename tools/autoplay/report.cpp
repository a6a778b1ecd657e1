#include "report.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace z2::autoplay {

namespace {

std::string fixed(double v, int digits) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", digits, v);
  return buf;
}

std::string floor_label(int f) { return f == kGauntlet ? "豪傑" : std::to_string(f); }

}  // namespace

Spread spread(std::vector<double> values) {
  Spread s;
  if (values.empty()) return s;
  std::sort(values.begin(), values.end());
  const auto rank = [&](double q) {
    const size_t n = values.size();
    size_t i = static_cast<size_t>(std::ceil(q * static_cast<double>(n)));
    i = std::clamp<size_t>(i, 1, n);
    return values[i - 1];
  };
  const size_t n = values.size();
  s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  s.p10 = rank(0.1);
  s.p90 = rank(0.9);
  return s;
}

std::vector<FloorSummary> summarize(const std::vector<RunResult>& runs, int last_target) {
  std::vector<FloorSummary> out;
  for (int f = 0; f <= last_target && f < kRecords; ++f) {
    FloorSummary fs;
    fs.floor = f;
    std::vector<double> fights, hours, cum, level, cents, deaths;
    for (const RunResult& r : runs) {
      const FloorRecord& rec = r.floors[static_cast<size_t>(f)];
      if (!rec.reached && !rec.cleared && rec.failure.empty()) continue;
      ++fs.runs;
      if (rec.cleared) ++fs.cleared;
      fights.push_back(rec.fights);
      hours.push_back(rec.hours);
      double c = 0;
      for (int k = 0; k <= f; ++k) c += r.floors[static_cast<size_t>(k)].hours;
      cum.push_back(c);
      level.push_back(rec.level_on_arrival);
      cents.push_back(static_cast<double>(rec.cents_on_arrival));
      deaths.push_back(rec.deaths);
      fs.deaths += rec.deaths;
    }
    fs.fights = spread(fights);
    fs.hours = spread(hours);
    fs.cumulative_hours = spread(cum);
    fs.level = spread(level);
    fs.cents = spread(cents);
    fs.median_deaths = spread(deaths).median;
    out.push_back(fs);
  }
  return out;
}

std::string markdown_report(const std::vector<RunResult>& runs, const RunOptions& o, uint32_t first_seed,
                            int last_target) {
  std::ostringstream md;
  const std::vector<FloorSummary> floors = summarize(runs, last_target);
  md << "Autoplay, " << policy_name(o.policy) << " policy: " << runs.size() << " runs, seeds " << first_seed << ".."
     << first_seed + static_cast<uint32_t>(runs.empty() ? 0 : runs.size() - 1) << ", "
     << (o.policy == Policy::Careful ? std::to_string(o.samples) + " sample fights per colosseum decision"
                                     : std::string("no sample fights"))
     << ", " << fixed(o.click_ms / 1000.0, 1)
     << " s per click or answer on top of the game's own pauses.\n\n";
  md << "| floor | runs | won | fights median [p10..p90] | hours median [p10..p90] | hours from start | deaths median (all runs) "
        "| LV on arrival | cents on arrival |\n";
  md << "|---|---|---|---|---|---|---|---|---|\n";
  for (const FloorSummary& f : floors) {
    md << "| " << floor_label(f.floor) << " | " << f.runs << " | " << f.cleared << " | " << fixed(f.fights.median, 0)
       << " [" << fixed(f.fights.p10, 0) << ".." << fixed(f.fights.p90, 0) << "] | " << fixed(f.hours.median, 2) << " ["
       << fixed(f.hours.p10, 2) << ".." << fixed(f.hours.p90, 2) << "] | " << fixed(f.cumulative_hours.median, 2)
       << " | " << fixed(f.median_deaths, 0) << " (" << f.deaths << ") | " << fixed(f.level.median, 0) << " | " << fixed(f.cents.median, 0) << " |\n";
  }
  int finished = 0;
  double total = 0;
  std::vector<double> totals;
  for (const RunResult& r : runs) {
    if (r.finished) ++finished;
    totals.push_back(r.hours);
    total += r.hours;
  }
  md << "\nRuns that won every target: " << finished << " of " << runs.size()
     << "; estimated play time, median " << fixed(spread(totals).median, 2) << " hours.\n";
  bool any = false;
  for (const RunResult& r : runs) {
    for (int f = 0; f < kRecords; ++f) {
      const FloorRecord& rec = r.floors[static_cast<size_t>(f)];
      if (rec.failure.empty() || rec.cleared) continue;
      if (!any) md << "\nNot won within the bound:\n\n";
      any = true;
      md << "- seed " << r.seed << ", floor " << floor_label(f) << ": " << rec.failure << "\n";
    }
    if (r.errors > 0)
      md << "- seed " << r.seed << ": " << r.errors << " error boxes, the first: " << r.first_error << "\n";
  }
  if (!any) md << "\nEvery floor asked for was won in every run.\n";
  (void)total;
  return md.str();
}

bool write_plot(const std::vector<FloorSummary>& floors, const std::string& path) {
  const int w = 900, h = 500, left = 70, right = 70, top = 40, bottom = 60;
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const int n = static_cast<int>(floors.size());
  double max_lv = 1, max_h = 0.1;
  for (const FloorSummary& f : floors) {
    max_lv = std::max(max_lv, f.level.p90);
    max_h = std::max(max_h, f.cumulative_hours.median);
  }
  const auto x_of = [&](int i) { return left + (n <= 1 ? 0.0 : (w - left - right) * static_cast<double>(i) / (n - 1)); };
  const auto y_lv = [&](double v) { return top + (h - top - bottom) * (1 - v / max_lv); };
  const auto y_h = [&](double v) { return top + (h - top - bottom) * (1 - v / max_h); };

  p.setPen(QPen(Qt::gray, 1));
  p.drawRect(left, top, w - left - right, h - top - bottom);
  QFont font = p.font();
  font.setPixelSize(12);
  p.setFont(font);
  for (int i = 0; i < n; ++i) {
    const QString label = QString::fromStdString(floor_label(floors[static_cast<size_t>(i)].floor));
    p.drawText(QRectF(x_of(i) - 20, h - bottom + 4, 40, 16), Qt::AlignCenter, label);
  }
  for (int k = 0; k <= 4; ++k) {
    const double lv = max_lv * k / 4, hr = max_h * k / 4;
    p.setPen(QColor(40, 80, 200));
    p.drawText(QRectF(0, y_lv(lv) - 8, left - 6, 16), Qt::AlignRight | Qt::AlignVCenter, QString::number(lv, 'f', 0));
    p.setPen(QColor(200, 60, 40));
    p.drawText(QRectF(w - right + 6, y_h(hr) - 8, right - 6, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QString::number(hr, 'f', 1));
  }
  p.setPen(Qt::black);
  p.drawText(QRectF(0, h - 24, w, 20), Qt::AlignCenter, QStringLiteral("floor (median over the runs)"));
  p.setPen(QColor(40, 80, 200));
  p.drawText(QRectF(left, 8, 300, 20), Qt::AlignLeft, QStringLiteral("level on arrival (band: p10..p90)"));
  p.setPen(QColor(200, 60, 40));
  p.drawText(QRectF(w - right - 300, 8, 300, 20), Qt::AlignRight, QStringLiteral("estimated hours from the start"));

  if (n > 0) {
    QPainterPath band;
    for (int i = 0; i < n; ++i) {
      const QPointF pt(x_of(i), y_lv(floors[static_cast<size_t>(i)].level.p90));
      i == 0 ? band.moveTo(pt) : band.lineTo(pt);
    }
    for (int i = n - 1; i >= 0; --i) band.lineTo(QPointF(x_of(i), y_lv(floors[static_cast<size_t>(i)].level.p10)));
    band.closeSubpath();
    p.fillPath(band, QColor(40, 80, 200, 50));
    for (int series = 0; series < 2; ++series) {
      p.setPen(QPen(series == 0 ? QColor(40, 80, 200) : QColor(200, 60, 40), 2));
      QPointF prev;
      for (int i = 0; i < n; ++i) {
        const FloorSummary& f = floors[static_cast<size_t>(i)];
        const QPointF pt(x_of(i), series == 0 ? y_lv(f.level.median) : y_h(f.cumulative_hours.median));
        if (i > 0) p.drawLine(prev, pt);
        p.drawEllipse(pt, 3, 3);
        prev = pt;
      }
    }
  }
  p.end();
  return img.save(QString::fromStdString(path), "PNG");
}

}  // namespace z2::autoplay
