// The extension module behind the Python package `volantra`: columns in, result arrays
// out, with the interpreter's lock released while rows are priced.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <span>
#include <stdexcept>
#include <string_view>

#include "python/array_pricer.h"
#include "python/csv_binding.h"

namespace py = pybind11;

namespace volantra {
namespace {

using Numbers = py::array_t<double, py::array::c_style | py::array::forcecast>;
using Indexes = py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>;

// The columns as the pricer reads them, viewing arrays that this object keeps alive.
struct HeldColumns {
    RowInputs inputs;
    std::vector<Numbers> numbers;
    std::vector<Indexes> indexes;
};

Column KnownColumn(const std::string& name) {
    const Column column = ColumnNamed(name);
    if (column == Column::Count) {
        throw std::invalid_argument("unknown column " + name);
    }
    return column;
}

// `columns` maps a column's name to a float64 array, or to (texts, index per row).
HeldColumns ReadColumns(const py::dict& columns) {
    HeldColumns held;
    held.numbers.reserve(columns.size());
    held.indexes.reserve(columns.size());
    for (const auto& [key, value] : columns) {
        ColumnInput& column = held.inputs[KnownColumn(key.cast<std::string>())];
        if (py::isinstance<py::tuple>(value)) {
            const auto pair = value.cast<py::tuple>();
            column.texts = pair[0].cast<std::vector<std::string>>();
            const Indexes& index = held.indexes.emplace_back(pair[1].cast<Indexes>());
            column.textOf = {index.data(), static_cast<std::size_t>(index.size())};
        } else {
            const Numbers& numbers = held.numbers.emplace_back(value.cast<Numbers>());
            column.numbers = {numbers.data(), static_cast<std::size_t>(numbers.size())};
        }
    }
    return held;
}

py::list TextList(const std::vector<std::string>& texts) {
    py::list list(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        list[i] = py::str(texts[i]);
    }
    return list;
}

py::dict Price(const py::dict& columns, std::size_t rows, bool texts, const std::string& units) {
    const std::optional<GreekUnits> named = UnitsNamed(units);
    if (!named) {
        throw std::invalid_argument("units must be \"screen\" or \"trader\", not \"" + units +
                                    "\"");
    }
    const HeldColumns held = ReadColumns(columns);
    std::array<Numbers, ENUM_COUNT<ResultBox>> arrays;
    ArrayResults results;
    for (std::size_t box = 0; box < arrays.size(); ++box) {
        arrays[box] = Numbers(static_cast<py::ssize_t>(rows));
        results.numbers.items[box] = {arrays[box].mutable_data(), rows};
    }
    results.units = *named;
    if (texts) {
        results.texts.emplace();
    }
    {
        const py::gil_scoped_release unlocked;
        PriceArrays(held.inputs, rows, results);
    }
    py::dict out;
    for (std::size_t box = 0; box < arrays.size(); ++box) {
        const std::string_view name = RESULT_COLUMNS[box].Name(*named);
        out[py::str(name.data(), name.size())] =
            texts ? py::object(TextList(results.texts->items[box])) : py::object(arrays[box]);
    }
    std::vector<std::size_t> messageRows;
    std::vector<std::string> messages;
    for (auto& [row, message] : results.messages) {
        messageRows.push_back(row);
        messages.push_back(std::move(message));
    }
    out["message_rows"] = messageRows;
    out["messages"] = TextList(messages);
    return out;
}

py::dict Solve(const std::string& barName, const py::dict& columns, std::size_t rows) {
    const std::optional<ScrollBar> bar = BarNamed(barName);
    if (!bar) {
        throw std::invalid_argument("bar must be \"volatility\" or \"interest\"");
    }
    const HeldColumns held = ReadColumns(columns);
    SolveResults solved;
    {
        const py::gil_scoped_release unlocked;
        solved = SolveArrays(*bar, held.inputs, rows);
    }
    py::dict out;
    out["position"] = Numbers(static_cast<py::ssize_t>(rows), solved.position.data());
    out["matches"] = TextList(solved.matches);
    for (const ResultColumn& result : RESULT_COLUMNS) {
        out[py::str(result.name)] =
            Numbers(static_cast<py::ssize_t>(rows), solved.numbers[result.box].data());
    }
    out["message"] = TextList(solved.messages);
    return out;
}

// The index in KIND_NAMES of each object of a flat array that is one of them, -1 for
// others, where numpy would call each object's comparison with each text in turn.
Indexes KindCodes(const py::array& objects) {
    if (objects.dtype().kind() != 'O' || objects.ndim() != 1 ||
        !(objects.flags() & py::array::c_style)) {
        throw std::invalid_argument("kind codes need a flat, contiguous array of objects");
    }
    const auto rows = objects.size();
    Indexes codes(rows);
    std::int64_t* code = codes.mutable_data();
    const auto* items = static_cast<PyObject* const*>(objects.data());
    for (py::ssize_t i = 0; i < rows; ++i) {
        PyObject* item = items[i];
        std::string_view text;  // of an ASCII text; other objects are no kind
        if (PyUnicode_Check(item) && PyUnicode_IS_COMPACT_ASCII(item)) {
            text = {static_cast<const char*>(PyUnicode_DATA(item)),
                    static_cast<std::size_t>(PyUnicode_GET_LENGTH(item))};
        }
        const auto* kind = std::find(KIND_NAMES.begin(), KIND_NAMES.end(), text);
        code[i] = kind == KIND_NAMES.end() ? -1 : kind - KIND_NAMES.begin();
    }
    return codes;
}

// The names `name` gives for each element of `range`, as a tuple of texts.
template <typename Range, typename Name>
py::tuple Names(const Range& range, Name name) {
    py::tuple names(std::size(range));
    std::size_t i = 0;
    for (const auto& element : range) {
        const std::string_view text = name(element);
        names[i++] = py::str(text.data(), text.size());
    }
    return names;
}

// The vocabulary the package names its arguments and results by, from the one table.
py::tuple ResultNames() {
    return Names(RESULT_COLUMNS, [](const ResultColumn& result) { return result.name; });
}

py::tuple TraderResultNames() {
    return Names(RESULT_COLUMNS,
                 [](const ResultColumn& result) { return result.Name(GreekUnits::Trader); });
}

py::tuple InputNames() {
    return Names(std::span(COLUMN_NAMES.items).first(INPUT_COLUMN_COUNT),
                 [](std::string_view name) { return name; });
}

py::tuple NeededNames() {
    return Names(NEEDED_COLUMNS, [](Column column) { return COLUMN_NAMES[column]; });
}

py::tuple KindNames() {
    return Names(KIND_NAMES, [](std::string_view name) { return name; });
}

}  // namespace
}  // namespace volantra

PYBIND11_MODULE(_volantra, module) {
    module.doc() =
        "Rows priced with the digits of the Volantra calculator; see the package "
        "volantra for the functions to call.";
    module.def("price_columns", &volantra::Price, py::arg("columns"), py::arg("rows"),
               py::arg("texts"), py::arg("units"),
               "Prices rows given column by column: a dict of result arrays, with the "
               "rows that have a message and their messages.");
    module.def("solve_columns", &volantra::Solve, py::arg("bar"), py::arg("columns"),
               py::arg("rows"), "Solves rows given column by column for one bar's positions.");
    module.def("kind_codes", &volantra::KindCodes, py::arg("objects"),
               "The index in KINDS of each object of a flat array, -1 for others.");
    volantra::BindPriceCsv(module);
    module.attr("__version__") = VOLANTRA_VERSION;
    module.attr("RESULTS") = volantra::ResultNames();
    module.attr("TRADER_RESULTS") = volantra::TraderResultNames();
    module.attr("INPUTS") = volantra::InputNames();
    module.attr("NEEDED") = volantra::NeededNames();
    module.attr("KINDS") = volantra::KindNames();
}
