import os
from typing import Any, Iterable, Mapping, Sequence, Union

__version__: str

Member = Mapping[str, Any]
Result = dict[str, Any]

class InputError(ValueError): ...

def check(member: Union[Member, Sequence[Member], str, bytes, os.PathLike[str]], *, quick: bool = ...,
          jobs: int = ...) -> Result: ...
def check_many(members: Iterable[Member], jobs: int = ..., *, quick: bool = ...) -> Result: ...
def section(description: str, grade: str = ..., code: str = ...) -> Result: ...
