"""European options priced with the very digits of the Volantra calculator.

Every number here is one the pricing screen shows for the same inputs: a float reads
as the text ``repr`` writes of it (100.5 behaves as typed "100.5"), and the results
are the doubles nearest the shown texts (10.45, not 10.4501...).

    >>> import volantra
    >>> volantra.price("call", 100, 100, 365, 20, 5)["value"]
    array(10.45)

``price`` and ``solve`` take scalars or numpy arrays, broadcast together;
``price_frame`` takes a pandas DataFrame with the columns of ``volantra-price``'s CSV
files, and runs in ``dask.dataframe.map_partitions``.
"""

import numpy as np

from . import _volantra

__all__ = ["price", "solve", "price_frame", "RESULTS", "INPUTS"]

#: The results, in the order the screen shows them.
RESULTS = ("value", "delta", "gamma", "theta", "vega", "rho")
#: The input columns of volantra-price, in its order.
INPUTS = ("screen", "asset", "strike", "maturity", "volatility", "interest",
          "dividend", "dividend_interest", "dividend_time")
_NEEDED, _DIVIDEND = INPUTS[:6], INPUTS[6:]


def _text_column(values, shape):
    """Texts as (distinct texts, int64 index per row); None stands for an empty field."""
    array = np.asarray(values, dtype=object if np.ndim(values) == 0 else None)
    flat = array.ravel() if array.size == 1 else np.broadcast_to(array, shape).ravel()
    texts = ["call", "put"]
    # The usual kinds all at once, others one by one.
    if flat.dtype.kind == "O":
        codes = _volantra.kind_codes(np.ascontiguousarray(flat))
    else:
        codes = np.full(flat.size, -1, dtype=np.int64)
        if flat.dtype.kind == "U":
            codes[flat == "call"] = 0
            codes[flat == "put"] = 1
    index = {}
    for row in np.flatnonzero(codes < 0):
        value = flat[row]
        if value is not None:
            text = value if isinstance(value, str) else str(value)
            codes[row] = index.setdefault(text, len(texts))
            if codes[row] == len(texts):
                texts.append(text)
    return texts, codes


def _number_column(values, shape):
    """Numbers as float64, one for all rows or one per row; None stands for NaN."""
    if hasattr(values, "to_numpy"):  # pandas, whose missing values may be pd.NA
        values = values.to_numpy(dtype=np.float64, na_value=np.nan)
    array = np.asarray(values, dtype=np.float64)
    if array.size == 1:
        return array.ravel()
    return np.ascontiguousarray(np.broadcast_to(array, shape)).ravel()


def _columns(named):
    """The columns of `named` (name -> value), broadcast. A dividend input of None leaves
    its column out; any other None is an empty box."""
    given = {name: value for name, value in named.items()
             if value is not None or name not in _DIVIDEND}
    shape = np.broadcast_shapes(*(np.shape(value) for value in given.values()))
    columns = {}
    for name, value in given.items():
        if name == "screen":
            columns[name] = _text_column(value, shape)
        else:
            columns[name] = _number_column(value, shape)
    return columns, shape


def _messages(result, rows):
    """The message of every row, empty where it has none."""
    message = np.empty(rows, dtype=object)
    message.fill("")  # three times as fast as np.full for objects
    if result["message_rows"]:
        message[np.asarray(result["message_rows"])] = result["messages"]
    return message


def price(kind, asset, strike, maturity, volatility, interest, dividend=None,
          dividend_interest=None, dividend_time=None, *, text=False):
    """Price calls and puts as the pricing screens show them.

    kind         "call" or "put"
    asset        asset price, dollars
    strike       strike price, dollars
    maturity     days to maturity
    volatility   volatility bar position, a whole number from 1 to 200 (percent)
    interest     interest bar position, a whole number from 0 to 100 (percent)
    dividend, dividend_interest, dividend_time
                 the expected dividend (dollars), its interest rate (percent) and
                 days to payment; a row has a dividend when any of the three is
                 given and not NaN, as the ticked DIVIDENDS box
    text         True returns the screen's texts ("10.45") instead of numbers

    Every argument is a scalar or an array (a pandas Series counts as an array, by
    position); they broadcast together. A float reads as the text repr writes of it,
    a bar position as a whole number (20.0 is 20); NaN, None or pd.NA leaves a box
    empty.

    Returns a dict of arrays of the broadcast shape: value, delta, gamma, theta,
    vega and rho, float64 holding the doubles nearest the shown texts (NaN where the
    row is not valued), and message, the row's messages ("" when none). Theta is per
    year, vega per 1.00 of volatility and rho per 1.00 of interest.
    """
    columns, shape = _columns({
        "screen": kind, "asset": asset, "strike": strike, "maturity": maturity,
        "volatility": volatility, "interest": interest, "dividend": dividend,
        "dividend_interest": dividend_interest, "dividend_time": dividend_time})
    rows = int(np.prod(shape, dtype=np.int64))
    result = _volantra.price_columns(columns, rows, bool(text))
    out = {}
    for name in RESULTS:
        values = result[name]
        out[name] = (np.array(values, dtype=object) if text else values).reshape(shape)
    out["message"] = _messages(result, rows).reshape(shape)
    return out


def solve(bar, kind, asset, strike, maturity, *, value, volatility=None, interest=None,
          dividend=None, dividend_interest=None, dividend_time=None):
    """Find the positions of one bar at which the screen shows an option value.

    bar is "volatility" or "interest": the bar to move; give the other bar's
    position. value is the option value to find, as the value box shows it. The
    other arguments are those of price(), and broadcast together.

    Answers as ``volantra-price --solve`` does, from the same code. Returns a dict
    of arrays: position, the lowest position that shows the value (NaN when none
    does); matches, every such position as ranges ("29-31 40"); value, delta,
    gamma, theta, vega and rho at that position; and message, which names the
    nearest position and the value it shows when no position shows the value.
    Raises TypeError when given the bar it moves, or without the other bar or value.
    """
    bars = {"volatility": volatility, "interest": interest}
    if not isinstance(bar, str) or bar not in bars:
        raise ValueError(f'bar must be "volatility" or "interest", not {bar!r}')
    other = "interest" if bar == "volatility" else "volatility"
    if bars[bar] is not None:
        raise TypeError(f"solve() finds the {bar} position: give {other}, not {bar}")
    if bars[other] is None:
        raise TypeError(f"solve() moving the {bar} bar needs the {other} position")
    if value is None:
        raise TypeError("solve() needs the value to find")
    columns, shape = _columns({
        "screen": kind, "asset": asset, "strike": strike, "maturity": maturity,
        other: bars[other], "dividend": dividend, "dividend_interest": dividend_interest,
        "dividend_time": dividend_time, "value": value})
    rows = int(np.prod(shape, dtype=np.int64))
    result = _volantra.solve_columns(bar, columns, rows)
    out = {name: np.asarray(result[name]).reshape(shape)
           for name in ("position",) + RESULTS}
    for name in ("matches", "message"):
        out[name] = np.array(result[name], dtype=object).reshape(shape)
    return out


def _frame_column(series):
    """A frame's column as the pricer reads it: numbers, or texts and an index."""
    import pandas as pd

    if pd.api.types.is_numeric_dtype(series) and not pd.api.types.is_bool_dtype(series):
        return series.to_numpy(dtype=np.float64, na_value=np.nan)
    codes, distinct = pd.factorize(series)
    texts = [text if isinstance(text, str) else str(text) for text in distinct]
    return texts, codes.astype(np.int64)


def price_frame(frame, *, text=False):
    """Price every row of a pandas DataFrame as volantra-price prices a CSV file.

    The frame holds the columns of volantra-price's input, named in any case:
    screen, asset, strike, maturity, volatility, interest, and optionally dividend,
    dividend_interest and dividend_time. Numbers read as the text repr writes of
    them, text as written, and NaN as an empty field; a row with every input empty
    stays unpriced, with no message, as the pricer keeps a blank line. Returns a copy
    of the frame with the columns value, delta, gamma, theta, vega, rho (float64, NaN
    where not valued; with text=True the screen's texts, "" where not valued) and
    message added; other columns are kept.

    A plain function of one frame, so it pickles and runs on each partition of a
    Dask DataFrame: ``ddf.map_partitions(volantra.price_frame)``.
    """
    import pandas as pd  # only here: price and solve need no pandas

    if not isinstance(frame, pd.DataFrame):
        raise TypeError(f"price_frame() takes a pandas DataFrame, not {type(frame).__name__}")
    by_name = {}
    for at, name in enumerate(frame.columns):
        key = name.strip().lower() if isinstance(name, str) else None
        if key in INPUTS:
            if key in by_name:  # as the pricer refuses a header naming a column twice
                raise ValueError(f"column {name!r} appears twice in the frame")
            by_name[key] = frame.iloc[:, at]
    for name in _NEEDED:
        if name not in by_name:
            raise ValueError(f"the frame has no column {name!r}; it needs "
                             f"{', '.join(_NEEDED[:-1])} and {_NEEDED[-1]}")
    columns = {name: _frame_column(series) for name, series in by_name.items()}
    rows = len(frame)
    result = _volantra.price_columns(columns, rows, bool(text))
    out = frame.copy()
    for name in RESULTS:
        out[name] = np.array(result[name], dtype=object) if text else result[name]
    out["message"] = _messages(result, rows)
    return out
