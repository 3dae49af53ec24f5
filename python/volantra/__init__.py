"""European options priced with the very digits of the Volantra calculator.

Every number here is one the pricing screen shows for the same inputs: a float reads
as the text ``repr`` writes of it (100.5 behaves as typed "100.5"), and the results
are the doubles nearest the shown texts (10.45, not 10.4501...).

``price`` and ``solve`` take scalars or numpy arrays, broadcast together;
``price_frame`` takes a pandas DataFrame with the columns of ``volantra-price``'s CSV
files, and runs in ``dask.dataframe.map_partitions``; ``price_csv`` prices a whole CSV
file as ``volantra-price`` does, and maps over files on a Dask cluster.

Examples
--------
>>> import volantra
>>> float(volantra.price("call", 100, 100, 365, 20, 5)["value"])
10.45
"""

from __future__ import annotations  # help() shows the annotations as written

import io
import os
from typing import (IO, TYPE_CHECKING, Any, Dict, Iterable, Literal, NamedTuple, Optional,
                    Tuple, TypedDict, Union, cast)

import numpy as np
import numpy.typing as npt

from . import _volantra

if TYPE_CHECKING:
    import pandas as pd  # type: ignore[import]  # no stubs in Debian: a frame is Any

__all__ = ["price", "solve", "price_frame", "price_csv", "RESULTS", "TRADER_RESULTS", "INPUTS",
           "Results", "Solution", "CsvSummary", "__version__"]

#: The version of the program the module belongs to.
__version__: str = _volantra.__version__

#: How the Greeks are given: as the screens give them, or as traders quote them.
Units = Literal["screen", "trader"]


class Results(TypedDict, total=False):
    """What `price` gives: arrays of the broadcast shape, float64 (object with text=True).

    The keys theta, vega and rho become theta_per_day, vega_per_point and rho_per_point
    with ``units="trader"``.
    """

    value: np.ndarray
    delta: np.ndarray
    gamma: np.ndarray
    theta: np.ndarray
    vega: np.ndarray
    rho: np.ndarray
    theta_per_day: np.ndarray
    vega_per_point: np.ndarray
    rho_per_point: np.ndarray
    message: np.ndarray


class Solution(TypedDict):
    """What `solve` gives: arrays of the broadcast shape."""

    position: np.ndarray
    matches: np.ndarray
    value: np.ndarray
    delta: np.ndarray
    gamma: np.ndarray
    theta: np.ndarray
    vega: np.ndarray
    rho: np.ndarray
    message: np.ndarray


class CsvSummary(NamedTuple):
    """What `price_csv` counted in a file.

    A sweep writes several rows for each row read; ``rows_valued`` and
    ``rows_with_message`` count the rows written. A row with a message may still be
    valued, as one whose dividend lacks its rate or days is valued without it.
    """

    #: Rows read after the header, rows whose fields are all empty included.
    rows_read: int
    #: Rows written with results.
    rows_valued: int
    #: Rows written with a message; 0 when volantra-price would exit with status 0.
    rows_with_message: int


#: A CSV file to read: a path, or a binary file object (``open(path, "rb")``,
#: ``fsspec.open(url, "rb")`` entered with ``with``).
Source = Union[str, "os.PathLike[str]", bytes, IO[bytes]]
#: Where to write: a path, replaced only when the whole file is priced, or a binary file
#: object.
Target = Union[str, "os.PathLike[str]", bytes, IO[bytes]]


#: The results, in the order the screen shows them.
RESULTS: Tuple[str, ...] = _volantra.RESULTS
#: The results with ``units="trader"``: theta per day, vega and rho per percentage point.
TRADER_RESULTS: Tuple[str, ...] = _volantra.TRADER_RESULTS
#: The input columns of volantra-price, in its order.
INPUTS: Tuple[str, ...] = _volantra.INPUTS
_NEEDED = _volantra.NEEDED
_DIVIDEND = tuple(name for name in INPUTS if name not in _NEEDED)


def _result_names(units):
    """The result keys in `units`, "screen" or "trader"."""
    if units not in ("screen", "trader"):
        raise ValueError(f'units must be "screen" or "trader", not {units!r}')
    return TRADER_RESULTS if units == "trader" else RESULTS


def _text_column(values, shape):
    """Texts as (distinct texts, int64 index per row); None stands for an empty field."""
    array = np.asarray(values, dtype=object if np.ndim(values) == 0 else None)
    flat = array.ravel() if array.size == 1 else np.broadcast_to(array, shape).ravel()
    texts = list(_volantra.KINDS)
    # The kinds' own names all at once, others one by one.
    if flat.dtype.kind == "O":
        codes = _volantra.kind_codes(np.ascontiguousarray(flat))
    else:
        codes = np.full(flat.size, -1, dtype=np.int64)
        if flat.dtype.kind == "U":
            for code, kind in enumerate(texts):
                codes[flat == kind] = code
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


def price(kind: npt.ArrayLike, asset: Optional[npt.ArrayLike],
          strike: Optional[npt.ArrayLike], maturity: Optional[npt.ArrayLike],
          volatility: Optional[npt.ArrayLike], interest: Optional[npt.ArrayLike],
          dividend: Optional[npt.ArrayLike] = None,
          dividend_interest: Optional[npt.ArrayLike] = None,
          dividend_time: Optional[npt.ArrayLike] = None, *, text: bool = False,
          units: Units = "screen") -> Results:
    """Price calls and puts as the pricing screens show them.

    Every argument is a scalar or an array (a pandas Series counts as an array, by
    position); they broadcast together, and each element of the broadcast is one
    row, valued on its own. A float reads as the text ``repr`` writes of it, a bar
    position as a whole number (20.0 is 20); NaN, None or ``pd.NA`` leaves a box
    empty. A row the screen would refuse is not valued and carries the screen's
    message instead of raising.

    Parameters
    ----------
    kind : str or array_like of str
        ``"call"`` or ``"put"``, the screen to price on.
    asset : float or array_like
        Asset price, in dollars.
    strike : float or array_like
        Strike price, in dollars.
    maturity : float or array_like
        Time to maturity, in days.
    volatility : int or array_like
        Volatility bar position, a whole number from 1 to 200, in percent.
    interest : int or array_like
        Interest bar position, a whole number from 0 to 100, in percent.
    dividend : float or array_like, optional
        Expected dividend, in dollars.
    dividend_interest : float or array_like, optional
        Interest rate of the dividend, in percent.
    dividend_time : float or array_like, optional
        Time to the dividend's payment, in days. A row has a dividend, as with the
        DIVIDENDS box ticked, when any of the three dividend inputs is given and not
        NaN; leaving all three out prices without one.
    text : bool, default False
        Keyword only. True returns the screen's texts (``"37.5200"``) instead of
        numbers.
    units : {"screen", "trader"}, default "screen"
        Keyword only. "trader" gives theta per calendar day, vega and rho per
        percentage point, under the keys ``theta_per_day``, ``vega_per_point`` and
        ``rho_per_point``: each the screen's number divided by 365 or 100 and
        rounded to 4 decimals, as ``volantra-price --units trader`` gives them.

    Returns
    -------
    dict of str to numpy.ndarray
        Arrays of the broadcast shape of the arguments (0-d when all are scalars):

        value, delta, gamma, theta, vega, rho : ndarray of float64
            The result boxes, each the double nearest the text the screen shows,
            NaN where the row is not valued. Value is in dollars; theta is per year,
            vega per 1.00 of volatility and rho per 1.00 of interest. With
            ``text=True``, object arrays of the shown texts, ``""`` where not valued.
            With ``units="trader"`` the last three are theta_per_day, vega_per_point
            and rho_per_point (`TRADER_RESULTS`).
        message : ndarray of object
            The row's message as a str, ``""`` when it has none.

    Raises
    ------
    ValueError
        If the arguments do not broadcast together, a number argument holds
        something numpy cannot read as a float (such as the str ``"abc"``), or
        `units` is neither "screen" nor "trader".

    See Also
    --------
    solve : The bar position that shows a given value.
    price_frame : The same pricing for the rows of a DataFrame.

    Examples
    --------
    >>> import volantra
    >>> r = volantra.price("call", 100, 100, 365, 20, 5)
    >>> float(r["value"]), float(r["delta"]), float(r["gamma"])
    (10.45, 0.6368, 0.0188)
    >>> float(r["theta"]), float(r["vega"]), float(r["rho"])
    (-6.4135, 37.52, 53.2309)
    >>> r["message"].item()
    ''

    With a dividend of $1 paid in 30 days, at 5% interest:

    >>> r = volantra.price("call", 50, 45, 90, 30, 6, dividend=1,
    ...                    dividend_interest=5, dividend_time=30)
    >>> float(r["value"]), float(r["delta"])
    (5.7, 0.772)

    Arrays broadcast, one row per element:

    >>> r = volantra.price(["call", "put"], 100, [90, 110], 365, 20, 5)
    >>> r["value"].tolist()
    [16.7, 10.67]

    The screen's texts keep its trailing zeros:

    >>> volantra.price("call", 100, 100, 365, 20, 5, text=True)["vega"].item()
    '37.5200'

    In traders' units, theta per day and vega and rho per percentage point:

    >>> r = volantra.price("call", 100, 100, 365, 20, 5, units="trader")
    >>> float(r["theta_per_day"]), float(r["vega_per_point"]), float(r["rho_per_point"])
    (-0.0176, 0.3752, 0.5323)

    A row the screen refuses is NaN, with the screen's message:

    >>> r = volantra.price("call", 100, 100, 365, 250, 5)
    >>> float(r["value"]), r["message"].item()
    (nan, 'Volatility must be a whole number from 1 to 200')
    """
    columns, shape = _columns({
        "screen": kind, "asset": asset, "strike": strike, "maturity": maturity,
        "volatility": volatility, "interest": interest, "dividend": dividend,
        "dividend_interest": dividend_interest, "dividend_time": dividend_time})
    rows = int(np.prod(shape, dtype=np.int64))
    names = _result_names(units)
    result = _volantra.price_columns(columns, rows, bool(text), units)
    out: Dict[str, Any] = {}
    for name in names:
        values = result[name]
        out[name] = (np.array(values, dtype=object) if text else values).reshape(shape)
    out["message"] = _messages(result, rows).reshape(shape)
    return cast(Results, out)


def solve(bar: Literal["volatility", "interest"], kind: npt.ArrayLike,
          asset: Optional[npt.ArrayLike], strike: Optional[npt.ArrayLike],
          maturity: Optional[npt.ArrayLike], *, value: Optional[npt.ArrayLike],
          volatility: Optional[npt.ArrayLike] = None, interest: Optional[npt.ArrayLike] = None,
          dividend: Optional[npt.ArrayLike] = None,
          dividend_interest: Optional[npt.ArrayLike] = None,
          dividend_time: Optional[npt.ArrayLike] = None) -> Solution:
    """Find the positions of one bar at which the screen shows an option value.

    Moves the volatility or the interest bar over every position, with the other
    inputs held, and finds those at which the value box shows `value`; answers as
    ``volantra-price --solve`` does, from the same code. The arguments other than
    `bar` broadcast together as those of `price` do, one row per element. A row
    that no position matches, or whose inputs the screen refuses, has no position
    and carries a message instead of raising.

    Parameters
    ----------
    bar : {"volatility", "interest"}
        The bar to move.
    kind : str or array_like of str
        ``"call"`` or ``"put"``, the screen to price on.
    asset : float or array_like
        Asset price, in dollars.
    strike : float or array_like
        Strike price, in dollars.
    maturity : float or array_like
        Time to maturity, in days.
    value : float or array_like
        Keyword only. The option value to find, in dollars, as the value box shows
        it (10.45).
    volatility : int or array_like, optional
        Keyword only. Volatility bar position, a whole number from 1 to 200, in
        percent; needed when `bar` is ``"interest"``, refused otherwise.
    interest : int or array_like, optional
        Keyword only. Interest bar position, a whole number from 0 to 100, in
        percent; needed when `bar` is ``"volatility"``, refused otherwise.
    dividend : float or array_like, optional
        Keyword only. Expected dividend, in dollars.
    dividend_interest : float or array_like, optional
        Keyword only. Interest rate of the dividend, in percent.
    dividend_time : float or array_like, optional
        Keyword only. Time to the dividend's payment, in days. A row has a dividend
        when any of the three dividend inputs is given and not NaN.

    Returns
    -------
    dict of str to numpy.ndarray
        Arrays of the broadcast shape of the arguments (0-d when all are scalars):

        position : ndarray of float64
            The lowest position of `bar` that shows the value; NaN when none does.
        matches : ndarray of object
            Every position that shows the value, as a str of ranges
            (``"1-22 24-29"``); ``""`` when none does.
        value, delta, gamma, theta, vega, rho : ndarray of float64
            The result boxes at `position`, as `price` gives them; NaN without one.
        message : ndarray of object
            ``""`` when a position shows the value; otherwise a str naming the
            nearest position and the value it shows, or the screen's message for
            inputs it refuses.

    Raises
    ------
    ValueError
        If `bar` is not ``"volatility"`` or ``"interest"``, or as `price` raises
        for arguments that do not broadcast or cannot be read as numbers.
    TypeError
        If given a position for the bar it moves, if the other bar's position is
        missing, or if `value` is None.

    See Also
    --------
    price : The results at given positions of both bars.

    Examples
    --------
    >>> import volantra
    >>> s = volantra.solve("volatility", "call", 100, 100, 365, value=10.45,
    ...                    interest=5)
    >>> float(s["position"]), s["matches"].item(), float(s["delta"])
    (20.0, '20', 0.6368)
    >>> s = volantra.solve("interest", "call", 100, 100, 365, value=10.45,
    ...                    volatility=20)
    >>> float(s["position"])
    5.0

    A deep in-the-money call shows the same value over many positions:

    >>> s = volantra.solve("volatility", "call", 100, 80, 30, value=20.33, interest=5)
    >>> float(s["position"]), s["matches"].item()
    (1.0, '1-22 24-29')

    A value no position shows:

    >>> s = volantra.solve("volatility", "call", 100, 100, 365, value=[10.45, 12],
    ...                    interest=5)
    >>> s["position"].tolist()
    [20.0, nan]
    >>> print(s["message"][1])
    No volatility from 1 to 200 shows 12; the nearest is 24, which shows 11.96

    The bar being moved takes no position:

    >>> volantra.solve("volatility", "call", 100, 100, 365, value=10.45,
    ...                volatility=20, interest=5)
    Traceback (most recent call last):
        ...
    TypeError: solve() finds the volatility position: give interest, not volatility
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
    return cast(Solution, out)


def _frame_column(series):
    """A frame's column as the pricer reads it: numbers, or texts and an index."""
    import pandas as pd  # type: ignore[import]  # no stubs in Debian: a frame is Any

    if pd.api.types.is_numeric_dtype(series) and not pd.api.types.is_bool_dtype(series):
        return series.to_numpy(dtype=np.float64, na_value=np.nan)
    codes, distinct = pd.factorize(series)
    texts = [text if isinstance(text, str) else str(text) for text in distinct]
    return texts, codes.astype(np.int64)


def price_frame(frame: "pd.DataFrame", *, text: bool = False,
                units: Units = "screen") -> "pd.DataFrame":
    """Price every row of a pandas DataFrame as volantra-price prices a CSV file.

    The frame holds the columns of volantra-price's input, named in any case and
    with surrounding spaces ignored: screen, asset, strike, maturity, volatility,
    interest, and optionally dividend, dividend_interest and dividend_time, with
    the units of `price`'s arguments. Numbers read as the text ``repr`` writes of
    them, text as written, and NaN or ``pd.NA`` as an empty field; a row with every
    input empty stays unpriced, with no message, as the pricer keeps a blank line.
    A row the pricer refuses carries its message instead of raising. Other columns
    are kept as they are.

    A plain function of one frame, so it pickles and runs on each partition of a
    Dask DataFrame: ``ddf.map_partitions(volantra.price_frame)``.

    Parameters
    ----------
    frame : pandas.DataFrame
        The rows to price, one option per row.
    text : bool, default False
        Keyword only. True gives the screen's texts (``"37.5200"``) instead of
        numbers.
    units : {"screen", "trader"}, default "screen"
        Keyword only. As for `price`: "trader" gives theta_per_day, vega_per_point
        and rho_per_point instead of theta, vega and rho.

    Returns
    -------
    pandas.DataFrame
        A copy of `frame`, same index, with columns added:

        value, delta, gamma, theta, vega, rho : float64
            The result boxes as `price` gives them, NaN where the row is not
            valued; with ``text=True``, object columns of the shown texts, ``""``
            where not valued; with ``units="trader"``, `TRADER_RESULTS`.
        message : object
            The row's message as a str, ``""`` when it has none.

    Raises
    ------
    TypeError
        If `frame` is not a pandas DataFrame.
    ValueError
        If one of screen, asset, strike, maturity, volatility and interest is
        missing, or any input column is named twice (also when the names differ
        only in case). The pricer itself raises ValueError, in its own words, if it
        refuses the set of columns as a whole.

    See Also
    --------
    price : The same pricing for scalars and arrays.

    Examples
    --------
    >>> import pandas as pd
    >>> import volantra
    >>> frame = pd.DataFrame({"Screen": ["call", "put", "call"],
    ...                       "Asset": [100, 100, 100], "Strike": [100, 100, 100],
    ...                       "Maturity": [365, 365, 365], "Volatility": [20, 20, 250],
    ...                       "Interest": [5, 5, 5]})
    >>> out = volantra.price_frame(frame)
    >>> out[["Screen", "value", "delta"]]
      Screen  value   delta
    0   call  10.45  0.6368
    1    put   5.57 -0.3632
    2   call    NaN     NaN
    >>> out["message"].tolist()
    ['', '', 'Volatility must be a whole number from 1 to 200']
    >>> volantra.price_frame(frame, text=True)["vega"].tolist()
    ['37.5200', '37.5241', '']
    >>> volantra.price_frame(frame.drop(columns="Interest"))  # doctest: +ELLIPSIS
    Traceback (most recent call last):
        ...
    ValueError: the frame has no column 'interest'; it needs screen, asset, ...
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
    names = _result_names(units)
    result = _volantra.price_columns(columns, rows, bool(text), units)
    out = frame.copy()
    for name in names:
        out[name] = np.array(result[name], dtype=object) if text else result[name]
    out["message"] = _messages(result, rows)
    return out


def _endpoint(given, method, role):
    """A path as bytes, or the binary file object itself."""
    if isinstance(given, (str, bytes, os.PathLike)):
        return os.fsencode(given)
    if isinstance(given, io.TextIOBase):
        raise TypeError(f"price_csv() needs the {role} as a binary file object, not a text one")
    if not callable(getattr(given, method, None)):
        raise TypeError(f"price_csv() takes a path or a binary file object as {role}, "
                        f"not {type(given).__name__}")
    return given


def _option_texts(solve, sweep, delimiter, units, jobs):
    """The options as (name, value) texts, as the command line would give them."""
    options = []
    for name, value in (("solve", solve), ("delimiter", delimiter), ("units", units)):
        if value is not None:
            if not isinstance(value, str):
                raise TypeError(f"{name} must be a str, not {type(value).__name__}")
            options.append((name, value))
    for text in [sweep] if isinstance(sweep, str) else list(sweep):
        if not isinstance(text, str):
            raise TypeError(f"sweep takes texts such as 'asset=80:120:5', not {text!r}")
        options.append(("sweep", text))
    if isinstance(jobs, bool) or not isinstance(jobs, int):
        raise TypeError(f"jobs must be an int, not {type(jobs).__name__}")
    options.append(("jobs", str(jobs)))
    return options


def price_csv(source: Source, target: Target, *,
              solve: Optional[Literal["volatility", "interest"]] = None,
              sweep: Union[str, Iterable[str]] = (), full: bool = False,
              delimiter: Optional[str] = None, units: Units = "screen",
              jobs: int = 1) -> CsvSummary:
    """Price a whole CSV file exactly as volantra-price does.

    Reads `source` and writes `target` with the very bytes ``volantra-price`` writes
    for the same file and options: the same header rules, columns of your own (an id)
    and empty rows carried in their places, spreadsheets' semicolons and decimal
    commas, and every row's message. The file streams through in blocks, so memory
    stays the same however long it is, and Python's global lock is released
    throughout (for a file object, taken only around each call of its ``readinto``,
    ``read`` or ``write``), so threads and Dask workers price files side by side.

    Parameters
    ----------
    source : str, os.PathLike or binary file object
        The CSV file to price: a path, or an object with ``readinto`` or ``read``
        giving bytes, such as ``open(path, "rb")`` or the file of
        ``with fsspec.open("s3://bucket/options.csv", "rb") as file``.
    target : str, os.PathLike or binary file object
        Where to write: a path, written beside itself under a hidden temporary name
        and renamed over it only once the whole file is priced, as ``volantra-price
        --output`` does; or an object with ``write``, which gets the rows as they are
        priced.
    solve : {"volatility", "interest"}, optional
        Keyword only, as ``--solve``: each row gives the ``value`` column instead of
        that bar's position, and gets the lowest position that shows it.
    sweep : str or iterable of str, optional
        Keyword only, as ``--sweep``: ``"asset=80:120:5"`` writes one row per value
        of the column; two make a grid, the first outermost.
    full : bool, default False
        Keyword only, as ``--full``: adds every field of the valuation.
    delimiter : {",", ";", "tab"}, optional
        Keyword only, as ``--delimiter``; guessed from the header when left out.
    units : {"screen", "trader"}, default "screen"
        Keyword only, as ``--units``.
    jobs : int, default 1
        Keyword only, as ``--jobs``: threads pricing the rows, 0 for one per core.
        Leave it at 1 on a Dask worker of one thread.

    Returns
    -------
    CsvSummary
        ``(rows_read, rows_valued, rows_with_message)``. Rows with a message are no
        failure, as for ``volantra-price``, whose exit status 1 they would give.

    Raises
    ------
    ValueError
        With the pricer's own words, if it refuses the options (which it names as
        its command line does, ``--solve``) or the file: an unusable header, a quote
        never closed. A target path is then left as it was.
    OSError
        If the source cannot be read or the target cannot be written (a missing
        folder, a full disk); a target path is left as it was.
    TypeError
        If `source` or `target` is neither a path nor a binary file object, or an
        option is not of its type. An exception that a file object raises is raised
        as it came.

    See Also
    --------
    price_frame : The same prices for rows already in pandas.

    Notes
    -----
    On a Dask cluster, map it over the files, one task a file:
    ``client.map(volantra.price_csv, sources, targets)``. A worker that dies while
    pricing leaves no target behind half-written, and Dask prices the file again.

    Examples
    --------
    >>> import io
    >>> import volantra
    >>> source = io.BytesIO(b"id,screen,asset,strike,maturity,volatility,interest\\n"
    ...                     b"A1,call,100,100,365,20,5\\n"
    ...                     b"A2,put,100,0,365,20,5\\n")
    >>> target = io.BytesIO()
    >>> volantra.price_csv(source, target)
    CsvSummary(rows_read=2, rows_valued=1, rows_with_message=1)
    >>> print(target.getvalue().decode(), end="")
    id,screen,asset,strike,maturity,volatility,interest,value,delta,gamma,theta,vega,rho,message
    A1,call,100,100,365,20,5,10.45,0.6368,0.0188,-6.4135,37.5200,53.2309,
    A2,put,100,0,365,20,5,,,,,,,Strike must be greater than 0

    A file the pricer cannot use:

    >>> volantra.price_csv(io.BytesIO(b"screen;asset\\n"), io.BytesIO())  # doctest: +ELLIPSIS
    Traceback (most recent call last):
        ...
    ValueError: the header has no column "strike"; it needs screen, asset, ...
    """
    options = _option_texts(solve, sweep, delimiter, units, jobs)
    counts = _volantra.price_csv(_endpoint(source, "read", "source"),
                                 _endpoint(target, "write", "target"), options, bool(full))
    return CsvSummary(*counts)
