"""The built help file, read back with Debian's CHM reader library (python3-chm): it holds
every page of the guide as written, its contents and its index name only pages it holds, in
the code page the file declares, and no page links to something the file lacks.
Usage: ChmTest.py MORVA_CHM HELP_SOURCE_FOLDER"""

import posixpath
import re
import sys
import unittest
from pathlib import Path

from chm import chm

CHM_FILE, SOURCE = Path(sys.argv[1]), Path(sys.argv[2])
LANGUAGES = ("uz", "ru", "en")
SITEMAP_ENTRY = re.compile(
    r'<param name="Name" value="([^"]*)">\s*<param name="Local" value="([^"]*)">', re.I)


class ChmTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.chm = chm.CHMFile()
        assert cls.chm.LoadCHM(str(CHM_FILE)), f"{CHM_FILE} does not open"
        cls.pages = sorted(str(p.relative_to(SOURCE)) for lang in LANGUAGES for p in (SOURCE / lang).glob("*.html"))
        cls.codePage = cls.chm.GetLCID()[0].decode()

    def Read(self, path):
        found, unit = self.chm.ResolveObject(("/" + path).encode())
        self.assertEqual(found, chm.chmlib.CHM_RESOLVE_SUCCESS, f"{path} is not in the file")
        return self.chm.RetrieveObject(unit)[1]

    def Sitemap(self, text):
        # Viewers read the contents and the index in the file's own code page.
        return SITEMAP_ENTRY.findall(text.decode(self.codePage))

    def test_every_page_and_picture_is_held_as_written(self):
        self.assertEqual(self.chm.home.decode(), "/uz/index.html")
        for path in self.pages + ["style.css"] + [str(p.relative_to(SOURCE)) for p in (SOURCE / "images").glob("*.png")]:
            with self.subTest(path=path):
                self.assertEqual(self.Read(path), (SOURCE / path).read_bytes())

    def test_the_contents_list_every_page_by_its_title(self):
        entries = self.Sitemap(self.chm.GetTopicsTree())
        self.assertEqual(sorted({local for _, local in entries}), self.pages)
        for name, local in entries:
            with self.subTest(local=local):
                self.assertTrue(name.strip(), f"{local} has an empty title in the contents")
                self.assertNotIn("\ufffd", name)

    def test_the_index_leads_to_pages_of_every_language(self):
        entries = self.Sitemap(self.chm.GetIndex())
        self.assertEqual({local.split("/")[0] for _, local in entries}, set(LANGUAGES))
        for name, local in entries:
            with self.subTest(name=name):
                self.assertIn(local, self.pages)
                self.assertTrue(name.strip())

    def test_links_inside_the_pages_lead_to_what_the_file_holds(self):
        for page in self.pages:
            html = self.Read(page).decode("utf-8")
            for target in re.findall(r'(?:href|src)="([^"#:]+)"', html):
                with self.subTest(page=page, target=target):
                    self.Read(posixpath.normpath(posixpath.join(posixpath.dirname(page), target)))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
