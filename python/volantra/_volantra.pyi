# The extension module behind the package; its functions are the package's to call.
from typing import IO, Any, Dict, List, Tuple, Union

import numpy as np

__version__: str
RESULTS: Tuple[str, ...]
TRADER_RESULTS: Tuple[str, ...]
INPUTS: Tuple[str, ...]
NEEDED: Tuple[str, ...]
KINDS: Tuple[str, ...]

def price_columns(columns: Dict[str, Any], rows: int, texts: bool, units: str) -> Dict[str, Any]: ...
def solve_columns(bar: str, columns: Dict[str, Any], rows: int) -> Dict[str, Any]: ...
def kind_codes(objects: np.ndarray) -> np.ndarray: ...
def price_csv(source: Union[bytes, IO[bytes]], target: Union[bytes, IO[bytes]],
              options: List[Tuple[str, str]], full: bool) -> Tuple[int, int, int]: ...
