// SPDX-License-Identifier: MIT
// What the map costs: reading its data, opening it the first time (F4), and drawing it whole
// at the size of a full-HD screen, which must take well under a frame (16 ms).
#include "map/MapFlow.h"
#include "map/MapView.h"
#include "map/MapWindow.h"
#include "quiz/Trevika.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

QByteArray MapText() {
    QFile file(QStringLiteral(":/map/provinces.txt"));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void BM_ReadMap(benchmark::State& state) {
    const QByteArray text = MapText();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            map::ProvinceMap::Parse(std::string_view(text.constData(), text.size())));
    }
}
BENCHMARK(BM_ReadMap)->Unit(benchmark::kMillisecond);

// From F4 to the map window shown, with its data read.
void BM_OpenMap(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        {
            window::Trevika trevika;
            trevika.show();
            state.ResumeTiming();
            trevika.Map()->Open();
            QApplication::processEvents();
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenMap)->Unit(benchmark::kMillisecond);

// The whole map, with two provinces filled and a pin, at 1920 by 1080.
void BM_RedrawMapFullScreen(benchmark::State& state) {
    window::Trevika trevika;
    trevika.Map()->Open();
    window::MapView* view = trevika.Map()->Window()->View();
    view->resize(1920, 1080);
    const map::ProvinceMap& provinces = view->Provinces();
    view->Fill(provinces.Find("BG-28"), window::MapWindow::kSettlement);
    view->Fill(provinces.Find("BG-26"), window::MapWindow::kSite);
    view->AddPin(*provinces.Pin("Ямбол"), window::MapWindow::kSettlement);
    QImage image(view->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RedrawMapFullScreen)->Unit(benchmark::kMillisecond);

} // namespace
