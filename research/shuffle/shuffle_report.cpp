// The shuffle test's text page and files.

#include "research/shuffle/shuffle_report.h"

#include <csv.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>

#include "astro/time_zones.h"
#include "research/correlation_matrices.h"
#include "research/module_files.h"
#include "shell/output.h"
#include "toolkit/core/uxversion.h"

static const char* const kKindNames[kCorrelationKinds] = {"H", "I", "D", "DA"};

const char* ShuffleKindName(int kind) {
    return kind >= 0 && kind < kCorrelationKinds ? kKindNames[kind] : "?";
}

static const char* principle_name(int p) {
    return p >= 0 && p < kMatrixPrinciples ? kPrincipleLabels[p] : "sum";
}

void ShuffleQuantityNames(const ShuffleQuantity& q, const char** row, const char** column) {
    *row = principle_name(q.row);
    *column = principle_name(q.column);
}

std::vector<int> ShuffleReportOrder(const ShuffleResult& result) {
    std::vector<int> order(result.statistics.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&result](int a, int b) {
        return result.statistics[a].pFamily < result.statistics[b].pFamily;
    });
    return order;
}

static void percent_line(const char* what, int count, int of) {
    Print("\n %s: %d of %d (%.1f %%)", what, count, of, of > 0 ? 100.0 * count / of : 0.0);
}

// ---- text page ---------------------------------------------------------------------------------

static void print_settings(const ShuffleRun& run) {
    const ShuffleSettings& s = run.settings;
    Print("\n*** Shuffle test - control groups ***\n");
    Print("\n Table: %s, rows %d to %d of %d (%d events)", ShuffleTableName(run), run.firstRow,
          run.firstRow + run.count - 1, run.tableRows, run.count);
    Print("\n Order of the correlation: %d; %s IC; %s self-correlation (%s)", s.order,
          s.last == 10 ? "with" : "without", s.selfCorrelation ? "with" : "without",
          run.parametersFromFiles ? "from the last Continuum's files" : "as asked");
    Print("\n Weights:");
    for (int p = 0; p <= s.last; ++p) Print(" %s %g", kPrincipleLabels[p], s.weights[p]);
    Print("\n Control groups: %s; K = %d; bootstrap resamples %d",
          kShuffleDesignCaptions[s.design - 1], s.controlGroups, s.bootstrapResamples);
    if (s.design == kRandomMomentsOfPeriod)
        Print("\n Period: %d.%d.%d %02d:%02d - %d.%d.%d %02d:%02d (zone 1), JD %f - %f",
              run.start[0], run.start[1], run.start[2], run.start[3], run.start[4], run.end[0],
              run.end[1], run.end[2], run.end[3], run.end[4], s.jdStart, s.jdEnd);
    Print("\n Replication in two halves: %s", s.replication ? "yes" : "no");
    // A permutation p is never below 1 / (K + 1), so one quantity standing out alone has a
    // Benjamini-Hochberg q of at least Q / (K + 1): too few control groups hide every finding
    // from q and from the replication, which starts from q.
    const int quantities = static_cast<int>(run.result.quantities.size());
    const double qFloor = static_cast<double>(quantities) / (s.controlGroups + 1.0);
    if (qFloor >= 0.05)
        Print("\n Note: with K = %d and %d quantities a single quantity's q cannot fall below %.3f;"
              "\n q < 0.05 (and the replication, which starts from it) needs K >= %d.",
              s.controlGroups, quantities, qFloor, 20 * quantities);
    Print("\n Seed: %llu", static_cast<unsigned long long>(s.seed));
    Print("\n Control members computed: %lld; zone and summer time taken from the row whose place "
          "they took: %lld",
          run.result.controlMembers, run.result.zoneFallbacks);
    Print("\n Run: %s - %s\n", run.startedAt, run.endedAt);
}

static void print_profile(const ShuffleProfile& p) {
    Print("\n Data-quality profile of the group");
    Print("\n members: %d; years %d - %d", p.members, p.firstYear, p.lastYear);
    Print("\n members per decade:");
    for (size_t d = 0; d < p.perDecade.size(); ++d) {
        if (d % 8 == 0) Print("\n  ");
        Print(" %ds: %-5d", p.firstDecade + static_cast<int>(d) * 10, p.perDecade[d]);
    }
    percent_line("clock times on the full hour", p.fullHour, p.members);
    percent_line("clock times on the half hour", p.halfHour, p.members);
    Print("\n identical date-time-place rows (repeats of an earlier row): %d", p.identical);
    Print("\n zone or summer time disagree with the tz database: %d of %d rows checked",
          p.zoneDisagrees, p.zoneChecked);
    Print("\n rows before standard time (local mean time): %d\n", p.localMeanTime);
}

static void print_quantities(const ShuffleRun& run) {
    const ShuffleResult& r = run.result;
    const bool halves = run.settings.replication;
    Print("\n Quantities, ordered by family-wise p (z of the group against its control groups; "
          "interval: group - control mean, 95 %% bootstrap)\n");
    Print("\n kind row      column        group    control mean    control sd          z        "
          "p        q   p family        95 %% interval");
    if (halves) Print("      p half A   p half B  replicated");
    for (int i : ShuffleReportOrder(r)) {
        const ShuffleStatistic& st = r.statistics[i];
        const char *row, *column;
        ShuffleQuantityNames(r.quantities[i], &row, &column);
        Print("\n %-4s %-8s %-8s %12.5f %12.5f %12.5f %10.4f %8.5f %8.5f %8.5f "
              "[%10.5f, %10.5f]",
              ShuffleKindName(r.quantities[i].kind), row, column, st.group, st.controlMean,
              st.controlSd, st.z, st.p, st.q, st.pFamily, st.ciLow, st.ciHigh);
        if (halves)
            Print("   %8.5f   %8.5f  %s", st.pHalfA, st.pHalfB, st.replicated ? "yes" : "no");
    }
    Print("\n");
}

static void print_replication(const ShuffleRun& run) {
    const ShuffleResult& r = run.result;
    if (!run.settings.replication) {
        Print("\n Replication: not asked\n");
        return;
    }
    Print("\n Replication in two random halves: found in half A (q < 0.05): %d; replicated in "
          "half B (p < 0.05, same sign): %d; replications chance alone would give: %.2f\n",
          r.foundInHalfA, r.replicatedCount, r.expectedByChance);
}

void PrintShuffleReport(const ShuffleRun& run) {
    TextOutput(kShuffleTextPage);
    ClearOutput();
    print_settings(run);
    print_profile(run.profile);
    print_quantities(run);
    print_replication(run);
}

// ---- shuffletest.csv ---------------------------------------------------------------------------

// A text field, quoted by libcsv (quotes inside doubled).
static void csv_text(std::string* out, const char* text) {
    const size_t length = std::strlen(text);
    std::string field(csv_write(nullptr, 0, text, length), '\0');
    csv_write(field.data(), field.size(), text, length);
    *out += field;
}

// A number with all the digits a double has, "." as the decimal point whatever the locale.
static void csv_number(std::string* out, double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    for (char* c = text; *c; ++c)
        if (*c == ',') *c = '.';
    *out += ',';
    *out += text;
}

std::string ShuffleTableCsv(const ShuffleRun& run) {
    const ShuffleResult& r = run.result;
    const bool halves = run.settings.replication;
    std::string out =
        "kind,row,column,group,control_mean,control_sd,z,p,q,p_family,ci_low,ci_high";
    if (halves) out += ",p_half_a,p_half_b,replicated";
    out += "\r\n";
    for (size_t i = 0; i < r.quantities.size(); ++i) {
        const ShuffleStatistic& st = r.statistics[i];
        const char *row, *column;
        ShuffleQuantityNames(r.quantities[i], &row, &column);
        csv_text(&out, ShuffleKindName(r.quantities[i].kind));
        out += ',';
        csv_text(&out, row);
        out += ',';
        csv_text(&out, column);
        for (double v : {st.group, st.controlMean, st.controlSd, st.z, st.p, st.q, st.pFamily,
                         st.ciLow, st.ciHigh})
            csv_number(&out, v);
        if (halves) {
            csv_number(&out, st.pHalfA);
            csv_number(&out, st.pHalfB);
            out += st.replicated ? ",1" : ",0";
        }
        out += "\r\n";
    }
    return out;
}

// ---- shuffletest-record.json -------------------------------------------------------------------

static std::string moment_text(const int m[6]) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", m[2], m[1], m[0], m[3], m[4]);
    return text;
}

std::string ShuffleRecordJson(const ShuffleRun& run) {
    using nlohmann::ordered_json;
    const ShuffleSettings& s = run.settings;
    const ShuffleProfile& p = run.profile;
    const ShuffleResult& r = run.result;
    char tzdata[64];
    TzdataVersion(tzdata, sizeof tzdata);
    ordered_json weights = ordered_json::object();
    for (int k = 0; k <= s.last; ++k) weights[kPrincipleLabels[k]] = s.weights[k];
    ordered_json parameters = {
        {"parameters_from_continuum_files", run.parametersFromFiles},
        {"order", s.order},
        {"with_ic", s.last == 10},
        {"weights", weights},
        {"self_correlation", s.selfCorrelation},
        {"design", static_cast<int>(s.design)},
        {"design_caption", kShuffleDesignCaptions[s.design - 1]},
        {"control_groups", s.controlGroups},
        {"replication", s.replication},
        {"bootstrap_resamples", s.bootstrapResamples},
        {"seed", s.seed},
    };
    if (s.design == kRandomMomentsOfPeriod)
        parameters["period"] = {{"start", moment_text(run.start)},
                                {"end", moment_text(run.end)},
                                {"zone", 1},
                                {"jd_start", s.jdStart},
                                {"jd_end", s.jdEnd}};
    ordered_json decades = ordered_json::object();
    for (size_t d = 0; d < p.perDecade.size(); ++d)
        decades[std::to_string(p.firstDecade + static_cast<int>(d) * 10)] = p.perDecade[d];
    ordered_json record = {
        {"module", "Shuffle test - control groups"},
        {"program_version", uxversion_program()},
        {"tzdata_version", tzdata},
        {"table",
         {{"file", ShuffleTableName(run)},
          {"size", run.tableSize},
          {"sha256", run.tableSha256},
          {"rows", run.tableRows},
          {"first_row", run.firstRow},
          {"count", run.count}}},
        {"parameters", parameters},
        {"fallbacks",
         {{"zone_from_row_of_place", r.zoneFallbacks}, {"control_members", r.controlMembers}}},
        {"profile",
         {{"members", p.members},
          {"first_year", p.firstYear},
          {"last_year", p.lastYear},
          {"per_decade", decades},
          {"full_hour", p.fullHour},
          {"half_hour", p.halfHour},
          {"identical_rows", p.identical},
          {"zone_checked", p.zoneChecked},
          {"zone_disagrees", p.zoneDisagrees},
          {"local_mean_time", p.localMeanTime}}},
        {"results",
         {{"quantities", r.quantities.size()},
          {"found_in_half_a", r.foundInHalfA},
          {"replicated", r.replicatedCount},
          {"expected_by_chance", r.expectedByChance}}},
        {"started", run.startedAt},
        {"ended", run.endedAt},
    };
    return record.dump(2) + "\n";
}

// ---- shuffletest-repeat.uxs --------------------------------------------------------------------

// A script argument in double quotes, with the escapes the runner reads.
static std::string quoted(const char* text) {
    std::string out = "\"";
    for (const char* c = text; *c; ++c) {
        if (*c == '"' || *c == '\\') out += '\\';
        if (*c == '\n') {
            out += "\\n";
            continue;
        }
        out += *c;
    }
    return out + "\"";
}

static void line(std::string* out, const char* format, ...) __attribute__((format(printf, 2, 3)));
static void line(std::string* out, const char* format, ...) {
    char text[1400];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(text, sizeof text, format, ap);
    va_end(ap);
    *out += text;
    *out += '\n';
}

static const char* yes_no(bool yes) { return yes ? "Yes" : "No"; }

static void ask_date(std::string* out, const char* title, const int m[6]) {
    line(out, "expect %s", quoted(title).c_str());
    for (int field = 0; field < 5; ++field) line(out, "input %d %d", field + 1, m[field]);
    line(out, "click OK");
}

std::string ShuffleRepeatScript(const ShuffleRun& run) {
    const ShuffleSettings& s = run.settings;
    std::string out;
    line(&out, "# Repeats a shuffle test exactly (its record: %s). Run it in a folder that holds",
         kShuffleRecordFile);
    line(&out, "# the table %s (SHA-256 %s)%s:", ShuffleTableName(run), run.tableSha256,
         run.parametersFromFiles ? " and the same datord.txt, datdat.txt, datplanet.txt and "
                                   "selfkorr.txt"
                                 : "");
    line(&out, "#   UX_PLATFORM=headless UX_SCRIPT=%s verivire", kShuffleRepeatFile);
    line(&out, "module-seed %llu", static_cast<unsigned long long>(s.seed));
    line(&out, "tab Menu");
    line(&out, "click \"Shuffle test - control groups\"");
    line(&out, "expect InputYesNo");
    line(&out, "click %s", yes_no(run.parametersFromFiles));
    if (!run.parametersFromFiles) {
        line(&out, "expect InputInt");
        line(&out, "fill %d", s.order);
        line(&out, "click OK");
        line(&out, "expect InputYesNo");
        line(&out, "click %s", yes_no(s.last == 10));
        line(&out, "expect InputYesNo");
        line(&out, "click Yes                      # planets selected: every weight as it was");
        line(&out, "expect InputArray");
        for (int p = 0; p < kMatrixPrinciples; ++p)
            line(&out, "input %d %.17g", p + 1, p <= s.last ? s.weights[p] : 0.0);
        line(&out, "click OK");
        line(&out, "expect InputYesNo");
        line(&out, "click %s", yes_no(s.selfCorrelation != 0));
    }
    line(&out, "file %s", quoted(ShuffleTableName(run)).c_str());
    line(&out, "expect InputInt");
    line(&out, "fill %d", run.firstRow);
    line(&out, "click OK");
    line(&out, "expect InputInt");
    line(&out, "fill %d", run.count);
    line(&out, "click OK");
    line(&out, "expect \"Control groups\"");
    line(&out, "click %s", quoted(kShuffleDesignCaptions[s.design - 1]).c_str());
    if (s.design == kRandomMomentsOfPeriod) {
        ask_date(&out, "Enter start-date", run.start);
        ask_date(&out, "Enter end-date", run.end);
    }
    line(&out, "expect InputInt");
    line(&out, "fill %d", s.controlGroups);
    line(&out, "click OK");
    line(&out, "expect InputYesNo");
    line(&out, "click %s", yes_no(s.replication));
    return out;
}

// ---- the files ---------------------------------------------------------------------------------

static bool statistics_finite(const ShuffleResult& r) {
    for (const ShuffleStatistic& st : r.statistics)
        for (double v : {st.group, st.controlMean, st.controlSd, st.z, st.p, st.q, st.pFamily,
                         st.ciLow, st.ciHigh, st.pHalfA, st.pHalfB})
            if (!std::isfinite(v)) return false;
    return true;
}

bool WriteShuffleFiles(const ShuffleRun& run) {
    if (!statistics_finite(run.result)) {
        Print("\n ERROR! A statistic of this run is no finite number; %s, %s and %s are not "
              "written. ERROR! \n",
              kShuffleTableFile, kShuffleRecordFile, kShuffleRepeatFile);
        return false;
    }
    const std::string table = ShuffleTableCsv(run);
    const std::string record = ShuffleRecordJson(run);
    const std::string script = ShuffleRepeatScript(run);
    return WriteModuleText(kShuffleTableFile, table.data(), table.size()) &&
           WriteModuleText(kShuffleRecordFile, record.data(), record.size()) &&
           WriteModuleText(kShuffleRepeatFile, script.data(), script.size());
}
