// The update list window over the in-memory backend: loading 5,000 records
// (the lock test on 5,000 real files included) and sorting them by a column.
// This measures the window's own work; the Win32 drawing is measured under
// Wine by update_form_wine_bench. Rounds of the two alternate (random
// interleaving); medians and spread are reported.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/update_records.h"
#include "decision/update_form.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kRecords = 5000;

kvu::test::TempDir& Folder() {
    static kvu::test::TempDir folder;
    return folder;
}

void BM_LoadWindow(benchmark::State& state) {
    std::vector<kvu::clsUpdateInfo> list =
        kvu::bench::MakeUpdateList(Folder().path() / "load", kRecords);
    kvu::ui::Session session{"Internetes alkalmazásfrissítés"};
    for (auto _ : state) {
        kvu::updateform form(session, list, [](const std::string&) {});
        form.Load(nullptr);
        benchmark::DoNotOptimize(form.Lv1.RowCount());
    }
}

void BM_SortByColumn(benchmark::State& state) {
    std::vector<kvu::clsUpdateInfo> list =
        kvu::bench::MakeUpdateList(Folder().path() / "sort", kRecords);
    kvu::ui::Session session{"Internetes alkalmazásfrissítés"};
    kvu::updateform form(session, list, [](const std::string&) {});
    form.Load(nullptr);
    int column = 0;
    for (auto _ : state) {
        column = column == 4 ? 6 : 4;  // a new key each time: a full sort
        form.Lv1.UserClickColumn(column);
        benchmark::DoNotOptimize(form.Lv1.DisplayOrder().front());
    }
}

BENCHMARK(BM_LoadWindow)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_SortByColumn)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.push_back(interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
