"""`pip install .` from the source tree with Debian's pip, into a virtual environment:
the backend of the tree builds the module with the project's build, nothing fetched."""
import os
import subprocess
import sys

import pytest

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


@pytest.mark.skipif(not os.environ.get("ZERIN_BUILD_DIR"), reason="needs the build folder")
def test_pip_installs_the_module_from_the_source_tree(tmp_path):
    venv = tmp_path / "venv"
    subprocess.run([sys.executable, "-m", "venv", "--system-site-packages", str(venv)],
                   check=True)
    env = dict(os.environ, PIP_NO_INDEX="1", PIP_DISABLE_PIP_VERSION_CHECK="1")
    env.pop("PYTHONPATH", None)
    done = subprocess.run([str(venv / "bin" / "pip"), "install", "--no-deps", SOURCE],
                          capture_output=True, text=True, env=env, timeout=1200)
    assert done.returncode == 0, done.stdout + done.stderr
    done = subprocess.run([str(venv / "bin" / "python"), "-c",
                           "import zerin; print(zerin.__file__); "
                           "print(zerin.example('philosophers').case_graph().count())"],
                          capture_output=True, text=True, env=env, cwd=tmp_path)
    assert done.returncode == 0, done.stderr
    where, count = done.stdout.split()
    assert where.startswith(str(venv)) and count == "4"
