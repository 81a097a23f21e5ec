"""The build backend of `pip install .`: the project's CMake build makes the module
(target zerin-python) and its package folder becomes the wheel. Nothing is fetched:
the build needs the Debian packages the project builds with (scripts/packages.sh).

The build folder is ZERIN_BUILD_DIR, the config setting build-dir, or build-python in
the source tree; one configured already is built as it is."""

import base64
import hashlib
import os
import shutil
import subprocess
import sys
import sysconfig
import zipfile

NAME, VERSION = "zerin", "1.65"
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def get_requires_for_build_wheel(config_settings=None):
    return []


def get_requires_for_build_sdist(config_settings=None):
    return []


def _build_folder(config_settings):
    given = (config_settings or {}).get("build-dir") or os.environ.get("ZERIN_BUILD_DIR")
    return os.path.abspath(given or os.path.join(SOURCE, "build-python"))


def _build(folder):
    if not os.path.exists(os.path.join(folder, "CMakeCache.txt")):
        generator = ["-G", "Ninja"] if shutil.which("ninja") else []
        subprocess.run(["cmake", "-S", SOURCE, "-B", folder, *generator,
                        "-DCMAKE_BUILD_TYPE=Release", "-DZERIN_BUILD_TESTS=OFF",
                        "-DPython_EXECUTABLE=" + sys.executable], check=True)
    subprocess.run(["cmake", "--build", folder, "--target", "zerin-python",
                    "-j%d" % (os.cpu_count() or 1)], check=True)
    package = os.path.join(folder, "python", NAME)
    if not os.path.exists(os.path.join(package, "__init__.py")):
        sys.exit("zerin_backend: the build made no module (is pybind11-dev installed?)")
    return package


def _tag():
    version = "cp%d%d" % sys.version_info[:2]
    platform = sysconfig.get_platform().replace("-", "_").replace(".", "_")
    return "%s-%s-%s" % (version, version, platform)


def _metadata():
    return ("Metadata-Version: 2.1\nName: %s\nVersion: %s\nSummary: Condition/event Petri "
            "nets: the token game, case graphs, occurrence nets\nRequires-Python: >=3.11\n"
            % (NAME, VERSION))


def _record_line(name, data):
    digest = base64.urlsafe_b64encode(hashlib.sha256(data).digest()).rstrip(b"=").decode()
    return "%s,sha256=%s,%d\n" % (name, digest, len(data))


def build_wheel(wheel_directory, config_settings=None, metadata_directory=None):
    package = _build(_build_folder(config_settings))
    tag = _tag()
    wheel = "%s-%s-%s.whl" % (NAME, VERSION, tag)
    info = "%s-%s.dist-info" % (NAME, VERSION)
    files = {}
    for entry in sorted(os.listdir(package)):
        path = os.path.join(package, entry)
        if os.path.isfile(path) and not entry.endswith(".pyc"):
            with open(path, "rb") as f:
                files["%s/%s" % (NAME, entry)] = f.read()
    files[info + "/METADATA"] = _metadata().encode()
    files[info + "/WHEEL"] = ("Wheel-Version: 1.0\nGenerator: zerin_backend\n"
                              "Root-Is-Purelib: false\nTag: %s\n" % tag).encode()
    record = "".join(_record_line(name, data) for name, data in files.items())
    record += info + "/RECORD,,\n"
    with zipfile.ZipFile(os.path.join(wheel_directory, wheel), "w",
                         zipfile.ZIP_DEFLATED) as archive:
        for name, data in files.items():
            archive.writestr(name, data)
        archive.writestr(info + "/RECORD", record)
    return wheel


def build_sdist(sdist_directory, config_settings=None):
    import tarfile

    name = "%s-%s" % (NAME, VERSION)
    listed = subprocess.run(["git", "-C", SOURCE, "ls-files"], capture_output=True, text=True,
                            check=True).stdout.split()
    with tarfile.open(os.path.join(sdist_directory, name + ".tar.gz"), "w:gz") as archive:
        for path in listed:
            archive.add(os.path.join(SOURCE, path), arcname=name + "/" + path)
    return name + ".tar.gz"
