"""The end-to-end run under pytest: one throw-away Wine prefix for the session, the real
Velmora.exe copied into it, and one test per case so that `-k` picks any of them. After a
build, `scripts/e2e [pytest options]` runs them with every option below filled in."""

import pathlib
import subprocess
import sys

import pytest

sys.path.insert(0, str(pathlib.Path(__file__).parent))
from harness import EndToEnd  # noqa: E402
from wine_env import WinePrefix  # noqa: E402


def pytest_addoption(parser):
    parser.addoption("--exe", required=True, help="the Velmora.exe under test")
    parser.addoption("--tools", required=True, help="the folder of driver.exe and recorder.exe")
    parser.addoption("--work", required=True, help="a folder the run may wipe and fill")
    parser.addoption("--file-version", required=True, help="the four-part version the build stamped")
    parser.addoption("--package", required=True, help="the release zip")
    parser.addoption("--locale", default="C.UTF-8", help="the Unix locale Wine starts in (its code page)")
    parser.addoption("--code-page", default="1252", help="the ANSI code page that locale must give")
    parser.addoption("--dpi", default="96", help="the system DPI of the prefixes")


def pytest_configure(config):
    config.addinivalue_line("markers", "window: the window, its layout, its placement or the About box")
    config.addinivalue_line("markers", "settings: the settings file")
    config.addinivalue_line("markers", "japanese: only a Japanese machine (code page 932) has the case")


def machine(options):
    """The machine a pass runs as, for every prefix it makes."""
    return {"locale": options.locale, "code_page": options.code_page, "dpi": options.dpi}


def pytest_collection_modifyitems(config, items):
    if config.option.code_page == "932":
        return
    skip = pytest.mark.skip(reason="a case of the Japanese machine (code page 932) only")
    for item in items:
        if "japanese" in item.keywords:
            item.add_marker(skip)


@pytest.fixture(scope="session")
def t(request):
    options = request.config.option
    env = WinePrefix(options.work, options.tools, **machine(options))
    env.create()
    run = EndToEnd(env, pathlib.Path(options.exe))
    run.file_version = options.file_version
    run.install()
    yield run
    env.close()


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    # A failed case may leave its windows behind; the next case starts from no Wine process.
    if report.when == "call" and report.failed:
        for run in item.funcargs.values():
            if isinstance(run, EndToEnd):
                subprocess.run(["wineserver", "-k"], env=run.env.env, stderr=subprocess.DEVNULL)
