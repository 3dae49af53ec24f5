"""Builds the extension module `volantra._volantra` with the project's own CMake.

The metadata lives in pyproject.toml; this file only drives CMake, as pybind11's CMake
example does, and reads the version from the one place it is kept, CMakeLists.txt.
"""

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent
NEEDED_CMAKE = (3, 25)


def project_version():
    """The version of project(Volantra VERSION x.y.z) in CMakeLists.txt."""
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(\s*Volantra\s+VERSION\s+([0-9.]+)", text).group(1)


def refuse(what, package):
    """Stops the build with one line naming what is missing and the package that brings it."""
    sys.exit(f"volantra: building the module needs {what} (on Debian: apt install {package})")


def check_tools():
    """A compiler, a new enough CMake, pybind11 and Highway, or one line saying which is
    missing."""
    compiler = os.environ.get("CXX", "c++").split()[0]
    if shutil.which(compiler) is None:
        refuse(f"a C++20 compiler ({compiler})", "g++")
    cmake = shutil.which("cmake")
    if cmake is None:
        refuse(f"CMake {'.'.join(map(str, NEEDED_CMAKE))} or later", "cmake")
    found = re.search(r"(\d+)\.(\d+)", subprocess.run(
        [cmake, "--version"], capture_output=True, text=True, check=True).stdout)
    if tuple(int(part) for part in found.groups()) < NEEDED_CMAKE:
        refuse(f"CMake {'.'.join(map(str, NEEDED_CMAKE))} or later, not {found.group(0)}",
               "cmake")
    try:
        import pybind11  # pylint: disable=import-outside-toplevel
    except ImportError:
        refuse("pybind11", "pybind11-dev python3-pybind11")
    prefixes = ["/usr", "/usr/local", os.environ.get("CONDA_PREFIX", "")]
    if not any(prefix and (Path(prefix) / "include/hwy/highway.h").exists()
               for prefix in prefixes):
        refuse("Highway, the vector library", "libhwy-dev")
    return cmake, pybind11.get_cmake_dir()


class CMakeModule(Extension):
    """The module CMake builds; setuptools compiles no source of its own."""

    def __init__(self):
        super().__init__("volantra._volantra", sources=[])


class BuildWithCMake(build_ext):
    """Configures the module-only build, builds the module, and puts it where the wheel
    takes it from."""

    def build_extension(self, ext):
        cmake, pybind11_dir = check_tools()
        build = Path(self.build_temp).resolve() / "cmake"
        target = Path(self.get_ext_fullpath(ext.name)).resolve()
        # The flags of scripts/build.sh, so not one digit moves; stripped for the wheel.
        subprocess.run([
            cmake, "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
            "-DVOLANTRA_MODULE_ONLY=ON", "-DBUILD_TESTING=OFF",
            f"-DPython3_EXECUTABLE={sys.executable}", f"-Dpybind11_DIR={pybind11_dir}",
            "-DCMAKE_MODULE_LINKER_FLAGS=-s"], check=True)
        subprocess.run([cmake, "--build", str(build), "--target", "_volantra", "--parallel",
                        str(os.cpu_count() or 1)], check=True)
        built = next((build / "python" / "volantra").glob("_volantra*.so"))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


# build/ is the project's own CMake folder: setuptools builds in build-pip/ instead.
setup(version=project_version(), ext_modules=[CMakeModule()],
      cmdclass={"build_ext": BuildWithCMake}, options={"build": {"build_base": "build-pip"}})
