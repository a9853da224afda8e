import os
from typing import Any, Iterable, Mapping, Optional, Sequence, Union

__version__: str

Member = Mapping[str, Any]
Result = dict[str, Any]

class InputError(ValueError): ...

def check(member: Union[Member, Sequence[Member], str, bytes, os.PathLike[str]], *, quick: bool = ...,
          jobs: int = ..., report: bool = ...) -> Result: ...
def check_many(members: Iterable[Member], jobs: int = ..., *, quick: bool = ..., report: bool = ...) -> Result: ...
def design(member: Union[Member, Sequence[Member], str, bytes, os.PathLike[str]], family: Optional[str] = ..., *,
           max_depth: Optional[float] = ..., min_depth: Optional[float] = ..., max_width: Optional[float] = ...,
           limit: Optional[float] = ..., top: Optional[int] = ..., jobs: int = ...) -> Result: ...
def section(description: str, grade: str = ..., code: str = ...) -> Result: ...
