"""pip install --no-build-isolation .  (setuptools from Debian, no index).

Builds the extension s16check._core with CMake (the project's own build,
tests and benchmarks off) and installs the package with the engine's shared
libraries beside the extension, which finds them through its $ORIGIN rpath.
"""
import glob
import os
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = os.path.dirname(os.path.abspath(__file__))
# The version of project() in CMakeLists.txt.
with open(os.path.join(ROOT, "CMakeLists.txt")) as f:
    VERSION = re.search(r"project\(s16check VERSION ([0-9.]+)", f.read()).group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = os.path.abspath(os.path.join(self.build_temp, "cmake"))
        subprocess.check_call(["cmake", "-S", ROOT, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
                               "-DS16_BUILD_TESTS=OFF", "-DS16_BUILD_BENCH=OFF", "-DS16_PYTHON=ON",
                               f"-DPython_EXECUTABLE={sys.executable}"])
        subprocess.check_call(["cmake", "--build", build, "-j2", "--target", "s16check_python"])
        target = os.path.dirname(os.path.abspath(self.get_ext_fullpath(ext.name)))
        os.makedirs(target, exist_ok=True)
        built = os.path.join(build, "python", "s16check")
        libraries = glob.glob(os.path.join(build, "libVekta_DES_csa_s16_09.so")) + \
            glob.glob(os.path.join(build, "framework", "libcorvid_framework.so"))
        for path in glob.glob(os.path.join(built, "_core*.so")) + libraries:
            shutil.copy2(path, target)


setup(
    name="s16check",
    version=VERSION,
    description="Steel member design to CSA S16-09 / CSA S16-14",
    license="Apache-2.0",
    packages=["s16check"],
    package_dir={"": "python"},
    package_data={"s16check": ["__init__.pyi", "py.typed"]},
    ext_modules=[Extension("s16check._core", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    python_requires=">=3.9",
    zip_safe=False,
    options={"build": {"build_base": "build-pip"}},  # beside the CMake build folder, not in it
)
