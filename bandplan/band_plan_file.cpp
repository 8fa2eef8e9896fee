// SPDX-License-Identifier: GPL-3.0-or-later

#include "bandplan/band_plan_file.h"

#include <algorithm>
#include <optional>

#include "numbers/number_text.h"

namespace zm {

namespace {

// Far above any amateur band, far below what could overflow the arithmetic on edges.
constexpr std::int64_t kHighestHz = 1'000'000'000'000;

constexpr std::string_view kTitleKey = "title";

bool isBandName(std::string_view name) {
    return !name.empty() && name.find_first_of(" \t,") == std::string_view::npos;
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::optional<std::int64_t> frequencyHz(std::string_view text) {
    const auto hz = readWhole(text);
    return hz && *hz >= 1 && *hz <= kHighestHz ? hz : std::nullopt;
}

// A plan as it is being read, with the line of each of its bands for the messages.
struct PlanBeingRead {
    BandPlan plan;
    int sectionLine = 0;
    int titleLine = 0;
    std::vector<int> bandLines;
};

class Reader {
public:
    std::optional<std::string> line(int number, std::string_view content);
    std::optional<std::string> finishPlan();
    std::vector<BandPlan> plans;

private:
    std::optional<std::string> section(std::string_view name);
    std::optional<std::string> keyLine(std::string_view key, std::string_view value);
    std::optional<std::string> segments(std::string_view value, std::vector<BandSegment>& out);
    std::string where() const { return "line " + std::to_string(m_line) + ": "; }

    int m_line = 0;
    std::optional<PlanBeingRead> m_plan;
    std::vector<std::pair<std::string, int>> m_keysSeen;  // each plan's key and its line
};

std::optional<std::string> Reader::line(int number, std::string_view content) {
    m_line = number;
    if (content.empty() || content.front() == ';' || content.front() == '#') {
        return std::nullopt;
    }
    if (content.front() == '[' && content.back() == ']') {
        return section(trimmed(content.substr(1, content.size() - 2)));
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        return where() + quoted(content) + " is neither a [plan], a band line nor a comment";
    }
    if (!m_plan) {
        return where() + std::string(content) + " stands before any [plan]";
    }
    return keyLine(trimmed(content.substr(0, equals)), trimmed(content.substr(equals + 1)));
}

std::optional<std::string> Reader::section(std::string_view name) {
    if (auto fault = finishPlan()) {
        return fault;
    }
    if (!isPlanKey(name)) {
        return where() + "[" + std::string(name) +
               "] is no plan's key: lower-case letters, digits and - only";
    }
    for (const auto& [key, line] : m_keysSeen) {
        if (key == name) {
            return where() + "[" + key + "] is given twice (first on line " + std::to_string(line) +
                   ")";
        }
    }
    m_keysSeen.emplace_back(name, m_line);
    m_plan = PlanBeingRead{{std::string(name), std::string(name), {}}, m_line, 0, {}};
    return std::nullopt;
}

std::optional<std::string> Reader::keyLine(std::string_view key, std::string_view value) {
    PlanBeingRead& read = *m_plan;
    const std::string inPlan = " in [" + read.plan.key + "]";
    if (key == kTitleKey) {
        if (read.titleLine != 0) {
            return where() + "title is given twice" + inPlan + " (first on line " +
                   std::to_string(read.titleLine) + ")";
        }
        read.titleLine = m_line;
        if (!value.empty()) {
            read.plan.title = value;
        }
        return std::nullopt;
    }
    if (!isBandName(key)) {
        return where() + quoted(key) + " is no band's name: it may hold no blank or comma";
    }
    for (std::size_t i = 0; i < read.plan.bands.size(); ++i) {
        if (read.plan.bands[i].name == key) {
            return where() + std::string(key) + " is given twice" + inPlan + " (first on line " +
                   std::to_string(read.bandLines[i]) + ")";
        }
    }
    Band band{std::string(key), {}};
    if (auto fault = segments(value, band.segments)) {
        return where() + std::string(key) + "=" + std::string(value) + ": " + *fault;
    }
    read.plan.bands.push_back(std::move(band));
    read.bandLines.push_back(m_line);
    return std::nullopt;
}

// "7025000-7125000,7175000-7300000" or "5332000,5348000": rising, none overlapping.
std::optional<std::string> Reader::segments(std::string_view value, std::vector<BandSegment>& out) {
    if (value.empty()) {
        return "no segment is given";
    }
    for (std::string_view rest = value;; rest = rest.substr(rest.find(',') + 1)) {
        const std::size_t comma = rest.find(',');
        const std::string_view part = trimmed(rest.substr(0, comma));
        const std::size_t dash = part.find('-');
        const std::string_view lowText = part.substr(0, dash);
        const std::string_view highText =
            dash == std::string_view::npos ? lowText : part.substr(dash + 1);
        const auto low = frequencyHz(lowText);
        const auto high = frequencyHz(highText);
        if (!low || !high) {
            return quoted(part) + " is neither a segment low-high nor a channel, in whole Hz";
        }
        if (*low > *high) {
            return std::string(part) + " runs downwards";
        }
        if (!out.empty() && *low <= out.back().highHz) {
            return std::string(part) + " does not lie above the segment before it";
        }
        out.push_back({*low, *high});
        if (comma == std::string_view::npos) {
            return std::nullopt;
        }
    }
}

std::optional<std::string> Reader::finishPlan() {
    if (!m_plan) {
        return std::nullopt;
    }
    PlanBeingRead read = std::move(*m_plan);
    m_plan.reset();
    if (read.plan.bands.empty()) {
        return "line " + std::to_string(read.sectionLine) + ": [" + read.plan.key +
               "] holds no band";
    }
    std::vector<std::size_t> order(read.plan.bands.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return read.plan.bands[a].lowestHz() < read.plan.bands[b].lowestHz();
    });
    BandPlan sorted{read.plan.key, read.plan.title, {}};
    for (const std::size_t i : order) {
        const Band& band = read.plan.bands[i];
        if (!sorted.bands.empty() && band.lowestHz() <= sorted.bands.back().highestHz()) {
            return "line " + std::to_string(read.bandLines[i]) + ": " + band.name + " overlaps " +
                   sorted.bands.back().name + " in [" + read.plan.key + "]";
        }
        sorted.bands.push_back(band);
    }
    plans.push_back(std::move(sorted));
    return std::nullopt;
}

}  // namespace

bool isPlanKey(std::string_view key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    });
}

BandPlansRead readBandPlans(std::string_view text) {
    Reader reader;
    int number = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find_first_of("\r\n", pos);
        end = end == std::string_view::npos ? text.size() : end;
        const std::string_view content = trimmed(text.substr(pos, end - pos));
        pos = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        if (auto fault = reader.line(++number, content)) {
            return {{}, std::move(*fault)};
        }
    }
    if (auto fault = reader.finishPlan()) {
        return {{}, std::move(*fault)};
    }
    if (reader.plans.empty()) {
        return {{}, "it holds no [plan]"};
    }
    return {std::move(reader.plans), {}};
}

const BandPlan* planWithKey(const std::vector<BandPlan>& plans, std::string_view key) {
    const auto found = std::find_if(plans.begin(), plans.end(),
                                    [key](const BandPlan& plan) { return plan.key == key; });
    return found == plans.end() ? nullptr : &*found;
}

}  // namespace zm
