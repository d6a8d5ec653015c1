-- The question database of the demo installation. Question tables and the answer-sheet layout are added by the
-- later scripts of this folder, applied in name order.
CREATE TABLE About (Name TEXT, Value TEXT);
INSERT INTO About VALUES ('Content', 'Illustrative sample data for the Veltrane demo installation; not a validated instrument.');
