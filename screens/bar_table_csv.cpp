#include "screens/bar_table_csv.h"

#include <algorithm>

namespace volantra {
namespace {

constexpr std::string_view HEADER =
    "screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,"
    "dividend_time,value,delta,gamma,theta,vega,rho,message\n";

// A field quoted only where it holds a comma, a quote or a line break.
void AppendField(std::string& out, std::string_view field) {
    const bool plain = std::none_of(field.begin(), field.end(), [](char c) {
        return c == ',' || c == '"' || c == '\r' || c == '\n';
    });
    if (plain) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char c : field) {
        out.append(c == '"' ? 2 : 1, c);
    }
    out.push_back('"');
}

void AppendRow(std::string& out, OptionKind kind, const ScreenInputs& at,
               const CycleResults& shown) {
    out += kind == OptionKind::Call ? "call" : "put";
    const auto box = [&at](InputBox b) {
        return at.dividendTicked || b < InputBox::Dividend ? at.boxes[b] : std::string_view();
    };
    for (InputBox b : {InputBox::Asset, InputBox::Strike, InputBox::Maturity}) {
        out.push_back(',');
        AppendField(out, box(b));
    }
    out += ',' + std::to_string(at.volatilityPercent) + ',' + std::to_string(at.interestPercent);
    for (InputBox b : DIVIDEND_BOXES) {
        out.push_back(',');
        AppendField(out, box(b));
    }
    for (const std::string& text : shown.results) {
        out.push_back(',');
        out += text;
    }
    std::string message;
    for (const std::string& m : shown.messages) {
        message += (message.empty() ? "" : "; ") + m;
    }
    out.push_back(',');
    AppendField(out, message);
    out.push_back('\n');
}

}  // namespace

std::string BarTableCsv(OptionKind kind, ScrollBar bar, const ScreenInputs& canonical,
                        const BarResults& along) {
    std::string out(HEADER);
    ScreenInputs at = canonical;
    int& position = bar == ScrollBar::Volatility ? at.volatilityPercent : at.interestPercent;
    for (std::size_t i = 0; i < along.positions.size(); ++i) {
        position = along.lowest + static_cast<int>(i);
        AppendRow(out, kind, at, along.positions[i]);
    }
    return out;
}

}  // namespace volantra
