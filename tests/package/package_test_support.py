"""What the package's Python tests share: loading the script under test by path, and making PNG chunks."""
import importlib.util
import struct
import zlib


def load(path, name):
    """The script at path, imported as module name (the scripts are not packages)."""
    found = importlib.util.spec_from_file_location(name, path)
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


def chunk(kind, data):
    """One PNG chunk: length, kind, data and its CRC."""
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
