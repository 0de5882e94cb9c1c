#!/usr/bin/env python3
"""Builds the copy benchmark's peers from one program tree, with the tools Debian packages: two
script-built installers (nsis, 64-bit stub, silent, one with the files stored and one with its default
zlib compression) and an MSI (wixl) for "msiexec /qn". Each installs the tree's contents into
"C:\\Program Files\\Tonehall 27\\" and nothing else.

    peer_installers.py <tree> <output folder> <product code>

Writes nsis-stored.exe, nsis-zlib.exe and peer.msi into the output folder.
"""
import os
import subprocess
import sys

NSIS = """Unicode true
Target amd64-unicode
{compression}
Name "Tonehall 27"
OutFile "{output}"
InstallDir "$PROGRAMFILES64\\Tonehall 27"
RequestExecutionLevel admin
SilentInstall silent
Section
  SetOutPath "$INSTDIR"
  File /r "{tree}/*"
SectionEnd
"""

WXS = """<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="{product}" Name="Tonehall 27 peer" Language="1033" Version="27.0.0" Manufacturer="C. Orvane"
           UpgradeCode="6F1D3A52-27B0-4C1E-9E1B-2B7A5C0D2701">
    <Package InstallerVersion="500" Compressed="yes" InstallScope="perMachine"/>
    <Media Id="1" Cabinet="files.cab" EmbedCab="yes"/>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFiles64Folder">
        <Directory Id="INSTALLDIR" Name="Tonehall 27"/>
      </Directory>
    </Directory>
    <Feature Id="Everything" Level="1"><ComponentGroupRef Id="TreeFiles"/></Feature>
  </Product>
</Wix>
"""


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    tree, out, product = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), sys.argv[3]
    os.makedirs(out, exist_ok=True)
    for name, compression in (("nsis-stored", "SetCompress off"), ("nsis-zlib", "SetCompressor zlib")):
        script = os.path.join(out, name + ".nsi")
        with open(script, "w") as f:
            f.write(NSIS.format(compression=compression, output=os.path.join(out, name + ".exe"), tree=tree))
        subprocess.run(["makensis", "-V1", script], check=True)

    files = subprocess.run(["find", tree, "-type", "f"], capture_output=True, text=True, check=True).stdout
    heat = subprocess.run(["wixl-heat", "-p", tree + "/", "--component-group", "TreeFiles", "--var", "var.Tree",
                           "--directory-ref", "INSTALLDIR", "--win64"],
                          input="".join(sorted(files.splitlines(keepends=True))), capture_output=True, text=True,
                          check=True).stdout
    with open(os.path.join(out, "files.wxs"), "w") as f:
        f.write(heat)
    with open(os.path.join(out, "product.wxs"), "w") as f:
        f.write(WXS.format(product=product))
    # wixl takes the files' paths relative to where it runs.
    subprocess.run(["wixl", "-a", "x64", "-D", "Tree=.", "-D", "Win64=yes", "-o", os.path.join(out, "peer.msi"),
                    os.path.join(out, "product.wxs"), os.path.join(out, "files.wxs")], check=True, cwd=tree)


if __name__ == "__main__":
    main()
